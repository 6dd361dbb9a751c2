#pragma once

#include "FormDescription.h"

namespace form {

// The design is in twips; at 96 dots per inch a pixel is 15 of them.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int DesignDotsPerInch = 96;
inline constexpr int TwipsPerPixel = TwipsPerInch / DesignDotsPerInch;

constexpr int TwipsToPixels(int twips, int dotsPerInch = DesignDotsPerInch)
{
    return (twips * dotsPerInch + TwipsPerInch / 2) / TwipsPerInch;
}

struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    bool operator==(const PixelRect&) const = default;
};

// Edges are rounded, not sizes, so that cells 10 twips apart never touch or overlap.
constexpr PixelRect TwipsToPixels(const TwipRect& twips, int dotsPerInch = DesignDotsPerInch)
{
    const int left = TwipsToPixels(twips.Left, dotsPerInch);
    const int top = TwipsToPixels(twips.Top, dotsPerInch);
    return {left, top, TwipsToPixels(twips.Right(), dotsPerInch) - left,
            TwipsToPixels(twips.Bottom(), dotsPerInch) - top};
}

} // namespace form
