#include "engine/ops/adjust/channel_lut.h"

#include "engine/ops/colour/vector_clones.h"
#include "engine/parallel/bands.h"

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
    if (image.isNull())
        return;
    if (!image.isTrueColour()) {
        std::vector<Rgb> palette = image.palette();
        for (Rgb& entry : palette)
            entry = packRgb(lut[redOf(entry)], lut[greenOf(entry)], lut[blueOf(entry)]);
        image.setPalette(palette);
        return;
    }
    forEachBand(image.height(), [&](int first, int end) {
        for (int y = first; y < end; ++y)
            lookUpRow(image.row(y), image.width(), lut.data());
    });
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
        // Four tables in turn, so that runs of one index do not wait on their own increments.
        std::uint32_t local[4][256] = {};
        for (int y = first; y < end; ++y) {
            const std::uint8_t* row = image.row(y);
            int x = 0;
            for (; x + 4 <= width; x += 4) {
                ++local[0][row[x]];
                ++local[1][row[x + 1]];
                ++local[2][row[x + 2]];
                ++local[3][row[x + 3]];
            }
            for (; x < width; ++x)
                ++local[0][row[x]];
        }
        std::lock_guard lock(mutex);
        for (int i = 0; i < 256; ++i)
            counts[i] += std::uint64_t(local[0][i]) + local[1][i] + local[2][i] + local[3][i];
    });
    return counts;
}

} // namespace vask
