#pragma once

#include <vector>

class QLabel;

namespace framework::qt {

// Makes each caption smaller on its own, only as far as it needs, by the rule both builds share
// (framework/CaptionFit.h): where no size fits, the caption wraps as the label wraps it. A label
// sized in pixels is left as it is.
//
// Every size tried can load a font of its own through the platform's font matching (Qt loads
// fonts in whole pixels) and lays the caption out again, so the size is worked out from the
// caption's letters, measured once at the label's own size, and then only that size and the one
// above it are tried for real.
void FitCaptions(const std::vector<QLabel*>& labels);

} // namespace framework::qt
