#pragma once

namespace framework {

// Lets screen readers read a ListBox as a list of rows: each row an item named by its text,
// with its selected and focused state. Installed once; later calls do nothing.
void InstallListBoxAccessibility();

} // namespace framework
