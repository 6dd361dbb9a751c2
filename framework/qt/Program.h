#pragma once

#include "form/FormDescription.h"

#include <QString>
#include <functional>

namespace framework::qt {

// How a run-time error reaches the user. Tests put a recorder in its place.
using ErrorReporter = std::function<void(const QString& message)>;

// A modal message box, shown at once.
void ShowErrorBox(const QString& message);

// Builds the window, loads it, shows it and runs until it is closed. A failed load is reported
// and ends the program with status 1 before anything is shown.
int Run(const form::FormDescription& description, const ErrorReporter& reportLoadFailure);

} // namespace framework::qt
