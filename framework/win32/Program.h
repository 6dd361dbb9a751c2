#pragma once

#include "form/FormDescription.h"

#include <functional>
#include <string>
#include <windows.h>

namespace framework::win32 {

// How a run-time error reaches the user. Tests put a recorder in its place.
using ErrorReporter = std::function<void(const std::wstring& message)>;

// A modal message box over the window (or over nothing), shown at once.
void ShowErrorBox(HWND owner, const std::wstring& message);

// Builds the window, loads it, shows it and runs until it is closed. A failed start is reported
// and ends the program with status 1 before anything is shown.
int Run(const form::FormDescription& description, int showCommand,
        const ErrorReporter& reportStartFailure);

} // namespace framework::win32
