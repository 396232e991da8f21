#pragma once

#include "tests/support/test_pictures.h"

#include <initializer_list>
#include <vector>

namespace vask::test {

// Noise at 24 bits, random indices and a random palette below.
inline Image pictureOfDepth(int depth, int width, int height, std::uint32_t seed)
{
    return depth == 24 ? noisePicture(width, height, seed) : palettePicture(width, height, depth, seed);
}

// Values row by row: grey levels at 24 bits, palette indices below, easy to write by hand.
inline Image handPicture(int width, int height, int depth, std::initializer_list<int> values)
{
    Image image(width, height, depth);
    auto value = values.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, ++value)
            if (depth == 24)
                image.rgbRow(y)[x] = packRgb(*value, *value, *value);
            else
                image.row(y)[x] = static_cast<std::uint8_t>(*value);
    return image;
}

// Row by row, the green level of a 24-bit picture or the index of a palette picture.
inline std::vector<int> handValues(const Image& image)
{
    std::vector<int> values;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            values.push_back(image.isTrueColour() ? int(greenOf(image.pixelColour(x, y)))
                                                  : image.pixelIndex(x, y));
    return values;
}

} // namespace vask::test
