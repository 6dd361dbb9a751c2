#include "Headers.h"

namespace form {

ListHeaders HeadersOf(const FormDescription& form, const ListDescription& list)
{
    ListHeaders headers;
    for (const LabelDescription& label : form.Labels) {
        if (label.Bounds.Left > list.Bounds.Left || label.Bounds.Right() < list.Bounds.Right()) {
            continue;
        }
        (label.Bounds.Top == 0 ? headers.Method : headers.Scale) = &label;
    }
    return headers;
}

std::string_view ScaleSymbol(const LabelDescription& scale)
{
    return scale.Caption.substr(0, scale.Caption.find(' '));
}

std::string_view ScaleRemark(const LabelDescription& scale)
{
    const size_t blank = scale.Caption.find(' ');
    return blank == std::string_view::npos ? std::string_view{} : scale.Caption.substr(blank + 1);
}

} // namespace form
