#pragma once

#include "ErrorReport.h"
#include "form/FormDescription.h"

namespace framework {

// Builds the window, loads it, shows it and runs until it is closed. A failed load is reported
// and ends the program with status 1 before anything is shown.
int Run(const form::FormDescription& description, const ErrorReporter& reportLoadFailure);

} // namespace framework
