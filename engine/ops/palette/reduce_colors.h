#pragma once

#include "engine/image/image.h"

#include <vector>

namespace vask {

// Reduces the picture to at most count colours (2..256): 1-bit for 2, 4-bit for up to 16,
// 8-bit above. optimise builds the best palette for the picture (a variance-minimising
// median cut refined by a few k-means passes); without it the fixed system palette (the
// 16 VGA colours below 16 colours, a 6x6x6 colour cube plus greys at 8 bits) is used.
// dither diffuses the error (Floyd-Steinberg, serpentine); bleed limits the diffused error
// so colours do not smear across hard edges. A picture with no more colours than count is
// mapped losslessly. count is clamped to 2..256.
void reduceColors(Image& image, int count, bool optimise, bool dither, bool bleed);

// The palette reduceColors would choose with optimise on.
std::vector<Rgb> optimisedPalette(const Image& image, int count);

// Maps a picture onto a given palette (nearest entry, optionally Floyd-Steinberg dithered)
// and returns it at the smallest depth that holds the palette's size (1, 4 or 8).
Image quantiseToPalette(const Image& image, const std::vector<Rgb>& palette, bool dither, bool bleed = false);

} // namespace vask
