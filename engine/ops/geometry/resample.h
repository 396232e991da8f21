#pragma once

#include "engine/image/image.h"

namespace vask {

enum class ResampleQuality {
    // Pixel deletion and replication (nearest neighbour): output pixel i takes source pixel
    // floor((i + 0.5) x sourceSide / side), the one under its centre.
    Fast,
    // Separable Lanczos-3 (a = 3) with the filter widened by the reduction factor when
    // shrinking, so it averages the area and every source pixel counts.
    High,
};

// A new picture of width x height from the whole source. Palette pictures are resampled in
// true colour at High quality (the result is 24-bit) and keep their depth and palette at
// Fast quality. A flat picture stays exactly flat and the same size gives the same pixels.
// High: 14-bit fixed-point weights, each set summing to exactly one; filter taps beyond the
// picture's edges are left out and the rest renormalised (repeating the edge pixel would
// give it the weight of hundreds of pixels in a strong reduction). The vertical pass runs
// first, one output row at a time, so the costlier horizontal pass only sees output rows
// and the intermediate row stays in cache. Below about 1:1000 each weight is only a step or
// two of 1/16384, which can bias a fine regular pattern by a level or so.
// Runs on all cores in bands of output rows. ImageError for a null source or sizes outside
// 1..32767.
Image resampleImage(const Image& source, int width, int height, ResampleQuality quality);

} // namespace vask
