#pragma once

// Pictures the picture buffer tests share.

#include "engine/image/image.h"

namespace vask::test {

// A picture of one colour: every pixel of a 24-bit picture, or palette entry 0 everywhere at the
// palette depths.
inline Image flatPicture(int width, int height, Rgb colour, int depth = 24)
{
    Image picture(width, height, depth);
    if (depth == 24) {
        picture.fill(colour);
    } else {
        picture.setPaletteEntry(0, colour);
        picture.fill(0);
    }
    return picture;
}

} // namespace vask::test
