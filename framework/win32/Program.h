#pragma once

#include "ErrorReport.h"
#include "form/FormDescription.h"

namespace framework::win32 {

// Builds the window, loads it, shows it and runs until it is closed. A failed start is reported
// and ends the program with status 1 before anything is shown.
int Run(const form::FormDescription& description, int showCommand,
        const ErrorReporter& reportStartFailure);

} // namespace framework::win32
