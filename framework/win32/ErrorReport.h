#pragma once

#include <exception>
#include <functional>
#include <string>
#include <windows.h>

namespace framework::win32 {

// How a run-time error reaches the user. Tests put a recorder in its place.
using ErrorReporter = std::function<void(const std::wstring& message)>;

// A modal message box over the window (or over nothing), shown at once.
void ShowErrorBox(HWND owner, const std::wstring& message);

std::wstring DescribeException(std::exception_ptr error);

} // namespace framework::win32
