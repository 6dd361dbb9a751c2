#include "framework/CaptionFit.h"

#include <doctest/doctest.h>

using framework::CaptionSizes;

namespace {

// A toolkit's answer, faked: the caption fits at FitsUpTo and every smaller size (0: nowhere).
struct CaptionSizeCase {
    const char* Behaviour;
    double Own, Step, Smallest, FitsUpTo;
    int Guess;
    double Expected;
};

constexpr CaptionSizeCase CaptionSizesByBehaviour[] = {
    {"a caption that fits keeps its own size", 9, 0.5, 5, 9.2, 0, 9},
    {"it gets only as small as it must", 9, 0.5, 5, 7.2, 0, 7},
    {"a guess too small is corrected upwards", 9, 0.5, 5, 7.2, 7, 7},
    {"a guess too large is corrected downwards", 9, 0.5, 5, 7.2, 1, 7},
    {"a guess past the smallest size still finds it", 9, 0.5, 5, 5, 20, 5},
    {"where none fits it keeps the smallest size", 9, 0.5, 5, 0, 0, 5},
    {"in whole pixels the last step stays above the smallest", 12, 1, 6.67, 0, 0, 7},
    {"a size no larger than the smallest is kept", 4.5, 0.5, 5, 0, 0, 4.5},
};

} // namespace

TEST_CASE("takesTheLargestSizeThatFits")
{
    for (const CaptionSizeCase& entry : CaptionSizesByBehaviour) {
        CAPTURE(entry.Behaviour);
        const CaptionSizes sizes(entry.Own, entry.Step, entry.Smallest);
        const auto fits = [&entry](double size) { return size <= entry.FitsUpTo; };
        CHECK(sizes.Size(sizes.FittingStep(fits, entry.Guess)) == doctest::Approx(entry.Expected));
    }
}
