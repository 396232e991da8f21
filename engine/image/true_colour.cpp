#include "engine/image/true_colour.h"

#include "engine/parallel/bands.h"

#include <cstring>

namespace vask {

Image toTrueColour(const Image& image)
{
    if (image.isNull() || image.isTrueColour())
        return image;
    Image out(image.width(), image.height(), 24);
    const Rgb* palette = image.palette().data();
    const int width = image.width();
    forEachBand(image.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const std::uint8_t* in = image.row(y);
            Rgb* o = out.rgbRow(y);
            for (int x = 0; x < width; ++x)
                o[x] = palette[in[x]];
        }
    });
    return out;
}

void promoteToTrueColour(Image& image)
{
    if (!image.isNull() && !image.isTrueColour())
        image = toTrueColour(image);
}

} // namespace vask
