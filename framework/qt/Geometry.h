#pragma once

#include "form/Twips.h"

#include <QRect>

namespace framework::qt {

// Qt scales logical pixels to the screen, so the design is laid out at its own 96 dots per inch
// and keeps its proportions on high-density screens.
inline QRect LogicalPixels(const form::TwipRect& twips)
{
    const form::PixelRect pixels = form::TwipsToPixels(twips);
    return {pixels.Left, pixels.Top, pixels.Width, pixels.Height};
}

} // namespace framework::qt
