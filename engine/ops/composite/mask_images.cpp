#include "engine/ops/composite/mask_images.h"

#include "engine/image/image_error.h"
#include "engine/image/true_colour.h"
#include "engine/ops/geometry/resample.h"
#include "engine/parallel/bands.h"

#include <array>
#include <bit>
#include <cstdint>
#include <vector>

namespace vask {
namespace {

// One row of the blend, byte by byte (alpha included: 0xFF blends with 0xFF to 0xFF).
// result = round((d x (255 - m) + s x m) / 255), the exact blend rounded to the nearest level
// (never a tie). round(v / 255) for v in 0..65025 is (t + (t >> 8)) >> 8 with t = v + 128;
// every step fits 16 bits, so the loop runs on 16-bit lanes.
void blendRow(std::uint8_t* destination, const std::uint8_t* source, const std::uint8_t* mask, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        const std::uint16_t m = mask[i];
        const auto t = static_cast<std::uint16_t>(destination[i] * static_cast<std::uint16_t>(255 - m) +
                                                  source[i] * m + 128);
        destination[i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(t + (t >> 8)) >> 8);
    }
}

// lumaOf on the bytes of 0xFFRRGGBB words (blue first in memory), with 16-bit operands so
// the multiplies vectorise.
void lumaRow(const std::uint8_t* pixels, std::uint32_t* grey, int width)
{
    static_assert(std::endian::native == std::endian::little, "pixel words are read byte by byte");
    for (int x = 0; x < width; ++x) {
        const std::uint32_t luma = (std::uint32_t(std::uint16_t(pixels[4 * x + 2])) * 19595u +
                                    std::uint32_t(std::uint16_t(pixels[4 * x + 1])) * 38470u +
                                    std::uint32_t(std::uint16_t(pixels[4 * x])) * 7471u + 32768u) >>
                                   16;
        grey[x] = luma * 0x01010101u;
    }
}

// The mask grey of each pixel of one row, repeated over the pixel's four bytes.
void maskGreyRow(const Image& mask, int maskRow, const int* columns, const std::uint8_t* paletteGrey,
                 std::uint32_t* grey, int width)
{
    if (!mask.isTrueColour()) {
        const std::uint8_t* m = mask.row(maskRow);
        for (int x = 0; x < width; ++x)
            grey[x] = paletteGrey[m[columns[x]]] * 0x01010101u;
        return;
    }
    const Rgb* m = mask.rgbRow(maskRow);
    if (mask.width() == width) {
        lumaRow(mask.row(maskRow), grey, width);
    } else {
        for (int x = 0; x < width; ++x)
            grey[x] = lumaOf(m[columns[x]]) * 0x01010101u;
    }
}

} // namespace

void maskImages(Image& destination, const Image& source, const Image& mask)
{
    if (destination.isNull() || source.isNull() || mask.isNull())
        throw ImageError("Masking needs a destination, a source and a mask picture.");
    promoteToTrueColour(destination);
    const int width = destination.width();
    const int height = destination.height();
    // Read the source and the mask only now: either may be the destination itself.
    Image scaled;
    const Image* from = &source;
    if (source.width() != width || source.height() != height) {
        scaled = resampleImage(source, width, height, ResampleQuality::High);
        from = &scaled;
    } else if (!source.isTrueColour()) {
        scaled = toTrueColour(source);
        from = &scaled;
    }
    // The mask is sampled at the nearest pixel: a hard-edged mask keeps its hard edges.
    std::vector<int> maskColumns(width);
    for (int x = 0; x < width; ++x)
        maskColumns[x] =
            static_cast<int>((2 * std::int64_t(x) + 1) * mask.width() / (2 * std::int64_t(width)));
    std::array<std::uint8_t, 256> paletteGrey{};
    for (std::size_t i = 0; i < mask.palette().size(); ++i)
        paletteGrey[i] = static_cast<std::uint8_t>(lumaOf(mask.palette()[i]));

    forEachBand(height, [&](int first, int end) {
        std::vector<std::uint32_t> grey(width);
        for (int y = first; y < end; ++y) {
            const int my =
                static_cast<int>((2 * std::int64_t(y) + 1) * mask.height() / (2 * std::int64_t(height)));
            maskGreyRow(mask, my, maskColumns.data(), paletteGrey.data(), grey.data(), width);
            blendRow(destination.row(y), from->row(y), reinterpret_cast<const std::uint8_t*>(grey.data()),
                     width * 4);
        }
    });
}

} // namespace vask
