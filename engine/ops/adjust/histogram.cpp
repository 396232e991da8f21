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
        LevelTables tables;
        std::vector<std::uint8_t> levels(width);
        for (int y = first; y < end; ++y) {
            if (channel == 0) {
                rowLuminance(image, y, levels.data());
                tables.count(levels.data(), width);
            } else {
                // Bytes of a pixel word in memory: blue, green, red, 0xFF.
                static_assert(std::endian::native == std::endian::little);
                tables.count<4>(image.row(y) + (3 - channel), width);
            }
        }
        std::lock_guard lock(mutex);
        tables.addTo(histogram);
    });
    return histogram;
}

} // namespace vask
