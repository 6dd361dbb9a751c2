#pragma once

// The window as plain data, so that it can be reviewed against the design and rebuilt by any
// toolkit. Positions and sizes are in twips (1/1440 inch) from the top left of the client area.

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

namespace form {

struct TwipRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    constexpr int Right() const { return Left + Width; }
    constexpr int Bottom() const { return Top + Height; }
};

struct WindowDescription {
    std::string_view Name;
    std::string_view Caption;
    int ClientWidth = 0;
    int ClientHeight = 0;
};

struct ListDescription {
    std::string_view Name;
    int Number = 0; // List1 ... List7: the number in the name, not the screen column
    TwipRect Bounds;
    int TabIndex = 0;
    std::span<const std::string_view> Rows; // design-time rows, in display order
};

struct LabelDescription {
    int Index = 0; // Label1(Index)
    std::string_view Caption;
    TwipRect Bounds;
};

// The window's own images as XPM text: the files beside this one, compiled in as they stand.
struct IconDescription {
    const char* const* Large = nullptr; // 32 x 32
    const char* const* Small = nullptr; // 16 x 16
};

struct FormDescription {
    WindowDescription Window;
    std::span<const ListDescription> Lists;   // in screen order, left to right
    std::span<const LabelDescription> Labels; // by index
    IconDescription Icon;
};

// The lists in the order the focus moves through them, those with one tab position in screen
// order; the first takes the focus when the window opens.
inline std::vector<const ListDescription*> ListsInTabOrder(const FormDescription& form)
{
    std::vector<const ListDescription*> lists;
    for (const ListDescription& list : form.Lists) {
        lists.push_back(&list);
    }
    std::ranges::stable_sort(lists, {}, &ListDescription::TabIndex);
    return lists;
}

} // namespace form
