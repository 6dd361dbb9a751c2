#pragma once

#include <string>
#include <string_view>

namespace framework::win32 {

// The description and the logic speak UTF-8; the system's controls speak UTF-16.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

} // namespace framework::win32
