#pragma once

#include "engine/image/image.h"

#include <vector>

namespace vask {

// The smallest depth whose palette holds this many colours: 1, 4 or 8.
inline int depthForColours(int colours)
{
    return colours <= 2 ? 1 : (colours <= 16 ? 4 : 8);
}

// A new picture of the given depth (1, 4 or 8) whose pixels index palette (1 to 2^depth
// entries; the picture's palette is padded with black, padding never chosen). Each pixel
// takes its nearest entry, or with dither the nearest entry to the pixel plus the error
// diffused from its neighbours (Floyd-Steinberg, serpentine); bleed limits that error.
// Any source depth. Runs on all cores: dithering splits the picture into strips of 512 rows,
// each starting 16 rows early (output discarded) so it meets its first row with a settled
// error and no seam shows; the strips are fixed, so the result does not depend on the cores.
Image mapToPalette(const Image& image, const std::vector<Rgb>& palette, int depth, bool dither, bool bleed);

} // namespace vask
