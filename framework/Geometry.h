#pragma once

#include "form/FormDescription.h"

#include <QRect>

namespace framework {

// The design is in twips; at 96 dots per inch a logical pixel is 15 of them. Qt scales logical
// pixels to the screen, so the design keeps its proportions on high-density screens.
inline constexpr int TwipsPerPixel = 15;

constexpr int TwipsToPixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

// Edges are rounded, not sizes, so that cells 10 twips apart never touch or overlap.
inline QRect TwipsToPixels(const form::TwipRect& twips)
{
    const int left = TwipsToPixels(twips.Left);
    const int top = TwipsToPixels(twips.Top);
    return {left, top, TwipsToPixels(twips.Right()) - left, TwipsToPixels(twips.Bottom()) - top};
}

} // namespace framework
