#pragma once

#include "engine/image/image.h"

#include <vector>

namespace vask {

// Reduces the picture to at most count colours (2..256): 1-bit for 2, 4-bit for up to 16,
// 8-bit above, from any depth. optimise builds the best palette for the picture (a
// variance-minimising median cut refined by a few k-means passes); without it the fixed
// system palette (black and white for 2; the 16 VGA colours up to 16, a smaller count taking
// black, white, the primaries and secondaries first; above that the largest n x n x n colour
// cube that fits plus evenly spaced greys, 6x6x6 + 40 greys at 256) is used.
// dither diffuses the error (Floyd-Steinberg, serpentine); bleed limits the diffused error
// so colours do not smear across hard edges (corrections above 16 levels are damped and held
// at 32, so a flat area the palette cannot match may lose its exact mean). A picture with no
// more colours than count is mapped losslessly, whatever the flags. count is clamped to
// 2..256. Palette entries past the colours chosen are black and unused.
// Runs on all cores; the result does not depend on how many there are.
void reduceColors(Image& image, int count, bool optimise, bool dither, bool bleed);

// The palette reduceColors would choose with optimise on: the picture's own colours when it
// has no more than count (clamped to 2..256), otherwise at most count colours. Empty for a
// null picture.
std::vector<Rgb> optimisedPalette(const Image& image, int count);

// Maps a picture onto a given palette (nearest entry, optionally Floyd-Steinberg dithered)
// and returns it at the smallest depth that holds the palette's size (1, 4 or 8). Only the
// first 256 entries are used; an empty palette counts as black. A null picture gives a null
// picture.
Image quantiseToPalette(const Image& image, const std::vector<Rgb>& palette, bool dither, bool bleed = false);

} // namespace vask
