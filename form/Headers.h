#pragma once

#include "FormDescription.h"

namespace form {

// The two header cells above a list: the cells whose horizontal extent covers it, the method
// cell at the top of the window and the scale cell below it. Either is nullptr when missing.
struct ListHeaders {
    const LabelDescription* Method = nullptr;
    const LabelDescription* Scale = nullptr;
};

ListHeaders HeadersOf(const FormDescription& form, const ListDescription& list);

} // namespace form
