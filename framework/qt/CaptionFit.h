#pragma once

#include <vector>

class QLabel;

namespace framework {

// Makes each caption smaller on its own, only as far as it needs: to the largest of the label's
// own point size and the sizes half a point, a point, ... below it, down to 5 pt, at which the
// caption fits its cell with a pixel clear of the border. Where none fits, the caption keeps the
// smallest of them and wraps as the label wraps it. A label sized in pixels is left as it is.
//
// Every size tried can load a font of its own through the platform's font matching (Qt loads
// fonts in whole pixels) and lays the caption out again, so the size is worked out from the
// caption's letters, measured once at the label's own size, and then only that size and the one
// above it are tried for real.
void FitCaptions(const std::vector<QLabel*>& labels);

} // namespace framework
