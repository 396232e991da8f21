#include "engine/ops/colour/greyscale.h"

#include "engine/ops/colour/vector_clones.h"
#include "engine/parallel/bands.h"

#include <cstdint>

namespace vask {
namespace {

// lumaOf() per word: with AVX2 or AVX-512 the compiler turns it into vector multiply-adds
// near memory speed; the SSE2 copy, without 32-bit multiplies, takes about three times as long.
VASK_VECTOR_CLONES void greyRow(Rgb* __restrict words, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::uint32_t y = lumaOf(words[i]);
        words[i] = 0xFF000000u | (y * 0x010101u);
    }
}

} // namespace

void greyScaleImage(Image& image)
{
    if (image.isNull())
        return;
    if (!image.isTrueColour()) {
        std::vector<Rgb> palette = image.palette();
        for (Rgb& entry : palette) {
            const unsigned y = lumaOf(entry);
            entry = packRgb(y, y, y);
        }
        image.setPalette(palette);
        return;
    }
    const int width = image.width();
    forEachBand(image.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y)
            greyRow(image.rgbRow(y), width);
    });
}

} // namespace vask
