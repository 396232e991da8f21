#pragma once

#include "engine/image/image.h"

namespace vask::test {

// Every 24-bit colour once, built on first use: pixel (x, y) of 4096 x 4096 is colour y * 4096 + x.
inline const Image& everyColourPicture()
{
    static const Image image = [] {
        Image picture(4096, 4096, 24);
        for (int y = 0; y < 4096; ++y)
            for (int x = 0; x < 4096; ++x)
                picture.rgbRow(y)[x] = 0xFF000000u | static_cast<Rgb>(y * 4096 + x);
        return picture;
    }();
    return image;
}

} // namespace vask::test
