#include "engine/ops/adjust/histogram.h"

#include "engine/image/image_error.h"
#include "engine/ops/adjust/channel_lut.h"
#include "engine/parallel/bands.h"

#include <bit>
#include <mutex>
#include <string>
#include <vector>

namespace vask {
namespace {

unsigned levelOf(Rgb colour, int channel)
{
    switch (channel) {
    case 1:
        return redOf(colour);
    case 2:
        return greenOf(colour);
    case 3:
        return blueOf(colour);
    default:
        return lumaOf(colour);
    }
}

// Counts bytes into four tables in turn, so runs of one level do not wait on their own
// increments.
void countLevels(const std::uint8_t* levels, int count, std::uint32_t (&tables)[4][256])
{
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        ++tables[0][levels[x]];
        ++tables[1][levels[x + 1]];
        ++tables[2][levels[x + 2]];
        ++tables[3][levels[x + 3]];
    }
    for (; x < count; ++x)
        ++tables[0][levels[x]];
}

// Counts count bytes four apart, as countLevels does.
void countEveryFourth(const std::uint8_t* bytes, int count, std::uint32_t (&tables)[4][256])
{
    int x = 0;
    for (; x + 4 <= count; x += 4) {
        ++tables[0][bytes[4 * x]];
        ++tables[1][bytes[4 * x + 4]];
        ++tables[2][bytes[4 * x + 8]];
        ++tables[3][bytes[4 * x + 12]];
    }
    for (; x < count; ++x)
        ++tables[0][bytes[4 * x]];
}

} // namespace

Histogram computeHistogram(const Image& image, int channel)
{
    if (channel < 0 || channel > 3)
        throw ImageError("The histogram channel " + std::to_string(channel) +
                         " is not one of 0 (luminance), 1 (red), 2 (green) or 3 (blue).");
    Histogram histogram{};
    if (image.isNull())
        return histogram;
    if (!image.isTrueColour()) {
        const std::array<std::uint64_t, 256> counts = paletteIndexCounts(image);
        for (int i = 0; i < Image::paletteSizeFor(image.depth()); ++i)
            histogram[levelOf(image.paletteEntry(i), channel)] += counts[i];
        return histogram;
    }
    std::mutex mutex;
    const int width = image.width();
    forEachBand(image.height(), [&](int first, int end) {
        std::uint32_t tables[4][256] = {};
        std::vector<std::uint8_t> levels(width);
        for (int y = first; y < end; ++y) {
            if (channel == 0) {
                rowLuminance(image, y, levels.data());
                countLevels(levels.data(), width, tables);
            } else {
                // Bytes of a pixel word in memory: blue, green, red, 0xFF.
                static_assert(std::endian::native == std::endian::little);
                countEveryFourth(image.row(y) + (3 - channel), width, tables);
            }
        }
        std::lock_guard lock(mutex);
        for (int i = 0; i < 256; ++i)
            histogram[i] += std::uint64_t(tables[0][i]) + tables[1][i] + tables[2][i] + tables[3][i];
    });
    return histogram;
}

} // namespace vask
