#include "engine/ops/adjust/channel_lut.h"

#include "engine/ops/colour/change_colours.h"
#include "engine/parallel/bands.h"
#include "engine/parallel/cpu_dispatch.h"

#include <bit>
#include <mutex>

namespace vask {
namespace {

// Byte by byte in place: three lookups per pixel and the 0xFF byte left alone, twice as fast
// as taking the word apart and putting it together again.
void lookUpRow(std::uint8_t* __restrict bytes, int width, const std::uint8_t* __restrict table)
{
    static_assert(std::endian::native == std::endian::little);
    for (int x = 0; x < width; ++x) {
        bytes[4 * x] = table[bytes[4 * x]];
        bytes[4 * x + 1] = table[bytes[4 * x + 1]];
        bytes[4 * x + 2] = table[bytes[4 * x + 2]];
    }
}

// lumaOf() per pixel, in AVX2 or AVX-512 vector multiply-adds where the processor has them.
VASK_VECTOR_CLONES void trueColourLuminance(const Rgb* __restrict row, int width,
                                            std::uint8_t* __restrict lumas)
{
    for (int x = 0; x < width; ++x)
        lumas[x] = static_cast<std::uint8_t>(lumaOf(row[x]));
}

} // namespace

void applyChannelLut(Image& image, const ChannelLut& lut)
{
    changeColours(
        image, [&](Rgb entry) { return packRgb(lut[redOf(entry)], lut[greenOf(entry)], lut[blueOf(entry)]); },
        [&](Rgb* row, int width) { lookUpRow(reinterpret_cast<std::uint8_t*>(row), width, lut.data()); });
}

void rowLuminance(const Image& image, int y, std::uint8_t* __restrict lumas)
{
    const int width = image.width();
    if (!image.isTrueColour()) {
        std::uint8_t levels[256] = {};
        const std::vector<Rgb>& palette = image.palette();
        for (std::size_t i = 0; i < palette.size(); ++i)
            levels[i] = static_cast<std::uint8_t>(lumaOf(palette[i]));
        const std::uint8_t* indices = image.row(y);
        for (int x = 0; x < width; ++x)
            lumas[x] = levels[indices[x]];
        return;
    }
    trueColourLuminance(image.rgbRow(y), width, lumas);
}

std::array<std::uint64_t, 256> paletteIndexCounts(const Image& image)
{
    std::array<std::uint64_t, 256> counts{};
    if (image.isNull() || image.isTrueColour())
        return counts;
    std::mutex mutex;
    const int width = image.width();
    forEachBand(image.height(), [&](int first, int end) {
        LevelTables tables;
        for (int y = first; y < end; ++y)
            tables.count(image.row(y), width);
        std::lock_guard lock(mutex);
        tables.addTo(counts);
    });
    return counts;
}

} // namespace vask
