#pragma once

#include "FormDescription.h"

#include <string_view>

namespace form {

// The two header cells above a list: the cells whose horizontal extent covers it, the method
// cell at the top of the window and the scale cell below it. Either is nullptr when missing.
struct ListHeaders {
    const LabelDescription* Method = nullptr;
    const LabelDescription* Scale = nullptr;
};

ListHeaders HeadersOf(const FormDescription& form, const ListDescription& list);

// The scale's symbol alone: the first word of the scale cell ("HRCэ" of "HRCэ (ГОСТ 8.064-94)").
std::string_view ScaleSymbol(const LabelDescription& scale);

// Whatever the scale cell says beyond the symbol, without the separating blank; empty if nothing.
std::string_view ScaleRemark(const LabelDescription& scale);

} // namespace form
