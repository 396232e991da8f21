#pragma once

#include "engine/image/image.h"

namespace vask {

enum class ResampleQuality {
    // Pixel deletion and replication (nearest neighbour).
    Fast,
    // Separable Lanczos-3 with the filter widened when shrinking, so every source pixel counts.
    High,
};

// A new picture of width x height from the whole source. Palette pictures are resampled in
// true colour at High quality (the result is 24-bit) and keep their depth and palette at
// Fast quality. Runs on all cores. ImageError for sizes outside 1..32767.
Image resampleImage(const Image& source, int width, int height, ResampleQuality quality);

} // namespace vask
