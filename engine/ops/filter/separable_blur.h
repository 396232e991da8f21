#pragma once

#include "engine/image/image.h"

namespace vask {

// The 5x5 binomial blur (1 4 6 4 1 each way, over 256) of a 24-bit picture, in place, as a
// horizontal pass and a vertical pass. Gives exactly what matrixFilter gives with that kernel
// and norm 256: each channel becomes (sum + 128) >> 8, edge pixels reuse the nearest row or
// column, and the top byte stays 0xFF. Runs on all cores in bands of rows. A null picture is
// left alone; any other depth is for matrixFilter (ImageError here).
void separableBinomialBlur(Image& image);

} // namespace vask
