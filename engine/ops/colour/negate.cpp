#include "engine/ops/colour/negate.h"

#include "engine/parallel/bands.h"

namespace vask {
namespace {

// 255 - v on each channel is v XOR 0xFF; the top byte stays 0xFF.
void negateRow(Rgb* __restrict row, int width)
{
    for (int x = 0; x < width; ++x)
        row[x] ^= 0x00FFFFFFu;
}

} // namespace

void negateImage(Image& image)
{
    if (image.isNull())
        return;
    if (!image.isTrueColour()) {
        std::vector<Rgb> palette = image.palette();
        for (Rgb& entry : palette)
            entry ^= 0x00FFFFFFu;
        image.setPalette(palette);
        return;
    }
    forEachBand(image.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y)
            negateRow(image.rgbRow(y), image.width());
    });
}

} // namespace vask
