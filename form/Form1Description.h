#pragma once

#include "FormDescription.h"

namespace form {

// The one window of the program, with every list's design-time rows.
const FormDescription& Form1Description();

} // namespace form
