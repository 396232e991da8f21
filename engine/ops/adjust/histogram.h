#pragma once

#include "engine/image/image.h"

#include <array>
#include <cstdint>

namespace vask {

using Histogram = std::array<std::uint64_t, 256>;

// Counts of each level over the whole picture: channel 0 luminance (lumaOf), 1 red, 2 green,
// 3 blue. Palette pictures count their pixels through the palette. Runs on all cores in bands
// of rows; an empty picture gives all zeros. ImageError for another channel.
Histogram computeHistogram(const Image& image, int channel);

} // namespace vask
