#pragma once

#include "engine/image/image.h"

#include <array>
#include <cstdint>

namespace vask {

// A level mapping applied alike to red, green and blue.
using ChannelLut = std::array<std::uint8_t, 256>;

// Maps every channel of every pixel (24-bit, on all cores in bands of rows) or of every
// palette entry (below 24 bits; indices stay).
void applyChannelLut(Image& image, const ChannelLut& lut);

// The luminance of each row pixel, through the palette below 24 bits. lumas holds width bytes.
void rowLuminance(const Image& image, int y, std::uint8_t* lumas);

// How often each palette index occurs, counted on all cores; all zero for a 24-bit picture.
std::array<std::uint64_t, 256> paletteIndexCounts(const Image& image);

} // namespace vask
