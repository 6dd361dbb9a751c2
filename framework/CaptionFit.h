#pragma once

#include <algorithm>
#include <functional>

namespace framework {

// How both builds make a caption smaller to fit its cell: from its own size down one step at a
// time to the largest size at which it fits CaptionClearance pixels clear of the border on every
// side, never below SmallestCaptionPoints (where none fits, the smallest). The toolkit only
// answers whether the caption fits at a size.
inline constexpr int CaptionClearance = 1;
inline constexpr double SmallestCaptionPoints = 5;
inline constexpr double PointsPerInch = 72;
// Qt takes fractional point sizes and loads the nearest whole pixel, so it steps by half a
// point; GDI takes a font's height in whole pixels, so there a step is one pixel.
inline constexpr double QtCaptionStepPoints = 0.5;
inline constexpr double GdiCaptionStepPixels = 1;

// The sizes a caption may take, in the unit its toolkit sizes fonts in: step k is own - k * step.
class CaptionSizes {
public:
    CaptionSizes(double own, double step, double smallest) : Own(own), Step(step)
    {
        while (Size(Last + 1) >= smallest) {
            ++Last;
        }
    }

    double Size(int step) const { return Own - (step * Step); }

    // The first step that fits, or the last if none does, searched from a guess that may be off
    // by any number of steps either way. Whatever fits at a size fits at every smaller one.
    int FittingStep(const std::function<bool(double size)>& fits, int guess = 0) const
    {
        int k = std::clamp(guess, 0, Last);
        if (fits(Size(k))) {
            while (k > 0 && fits(Size(k - 1))) {
                --k;
            }
            return k;
        }
        while (k < Last) {
            if (fits(Size(++k))) {
                break;
            }
        }
        return k;
    }

private:
    double Own = 0;
    double Step = 0;
    int Last = 0;
};

} // namespace framework
