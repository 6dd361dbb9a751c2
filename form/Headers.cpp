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

} // namespace form
