#pragma once

#include "engine/image/image.h"

#include <array>

namespace vask {

// A 3x3 or 5x5 convolution kernel, row by row.
struct Kernel {
    int size = 3;
    std::array<int, 25> values{};
    int at(int row, int column) const { return values[row * size + column]; }
};

// Replaces each pixel by its weighted neighbourhood: every channel becomes
// (sum of kernel x pixel) x scale / divisor + offset, clamped to 0..255, where divisor is
// norm when norm > 0, otherwise the sum of the kernel (1 when that sum is 0 or negative
// sums are used as they are). Edge pixels reuse the nearest row or column. A palette picture
// is filtered through its colours and mapped back to its own palette, keeping its depth.
// Runs on all cores in bands of rows. ImageError for a size other than 3 or 5.
void matrixFilter(Image& image, const Kernel& kernel, int scale, int norm, int offset);

} // namespace vask
