#pragma once

#include "engine/image/image.h"

namespace vask::bench {

constexpr int kBenchWidth = 6000;
constexpr int kBenchHeight = 4000;

// A 6000 x 4000 photograph-like 24-bit picture (smooth areas, edges and fine texture),
// made once and shared by every benchmark; copy it before changing it.
const Image& benchPicture();

// The same picture reduced to 8 bits with an optimised palette, made once.
const Image& benchPalettePicture();

} // namespace vask::bench
