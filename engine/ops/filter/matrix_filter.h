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

// Replaces each pixel by its weighted neighbourhood, in place: every channel becomes
// (sum of kernel x pixel) x scale / divisor rounded to the nearest integer (halves upwards),
// plus offset, clamped to 0..255. The divisor is norm when norm > 0, otherwise the sum
// of the kernel, or 1 when that sum is 0; a negative sum is used as it is (the result flips
// sign). Edge pixels reuse the nearest row or column. A 24-bit picture stays 24-bit; a
// palette picture is filtered through its colours and each pixel takes the nearest entry of
// its own palette, keeping depth and palette (an 8-bit grey ramp is filtered directly).
// Exact for any kernel and scale: the fast paths are checked against exact integer
// arithmetic before use. Runs on all cores in bands of rows. ImageError for a size other
// than 3 or 5.
void matrixFilter(Image& image, const Kernel& kernel, int scale, int norm, int offset);

} // namespace vask
