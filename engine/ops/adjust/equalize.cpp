#include "engine/ops/adjust/equalize.h"

#include "engine/ops/adjust/channel_lut.h"
#include "engine/ops/adjust/histogram.h"
#include "engine/parallel/bands.h"
#include "engine/parallel/cpu_dispatch.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <mutex>
#include <vector>

namespace vask {
namespace {

// The colour with luminance target and the hue of p: the channels scaled by target over p's
// exact luminance. Where that would push a channel past 255 the colour is drawn towards the
// grey of the target until it fits, which keeps luminance and hue and gives up saturation.
//
// Written for the vectoriser, which takes no float comparison or choice (they might trap):
// every division runs on every pixel with a divisor kept above 0, and the least of two
// non-negative floats is taken on their bit patterns, which order like the numbers.
inline Rgb colourWithLuminance(Rgb p, float target)
{
    const int r = int((p >> 16) & 0xFF), g = int((p >> 8) & 0xFF), b = int(p & 0xFF);
    const int largest = std::max(r, std::max(g, b));
    const int weighted = r * 19595 + g * 38470 + b * 7471; // luminance x 65536; 0 only for black
    // | 1 keeps the divisor above 0 and moves it by at most one part in 7471.
    const float luminance = static_cast<float>(weighted | 1);
    const float t = target;
    const float scale = t * 65536.0f / luminance;
    // How far the largest channel lands above the target, and the share of that which fits.
    const float rise = t * static_cast<float>(largest * 65536 - weighted) / luminance + 1e-6f;
    const float fits = (255.0f - t) / rise;
    const float pull =
        std::bit_cast<float>(std::min(std::bit_cast<std::int32_t>(fits), std::bit_cast<std::int32_t>(1.0f)));
    const auto channel = [&](int c) {
        return std::min(255, static_cast<int>(t + (static_cast<float>(c) * scale - t) * pull + 0.5f));
    };
    return 0xFF000000u | static_cast<Rgb>((channel(r) << 16) | (channel(g) << 8) | channel(b));
}

VASK_VECTOR_CLONES_UNFUSED void equaliseRow(Rgb* __restrict row, const float* __restrict targets, int count)
{
    for (int x = 0; x < count; ++x)
        row[x] = colourWithLuminance(row[x], targets[x]);
}

// Widens lowest..highest to the channel levels of a row.
void widenRange(const Rgb* __restrict row, int width, unsigned& lowest, unsigned& highest)
{
    unsigned low = lowest, high = highest;
    for (int x = 0; x < width; ++x) {
        const Rgb p = row[x];
        const unsigned r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        low = std::min(low, std::min(r, std::min(g, b)));
        high = std::max(high, std::max(r, std::max(g, b)));
    }
    lowest = low;
    highest = high;
}

} // namespace

void histogramEqualize(Image& image)
{
    if (image.isNull())
        return;
    const Histogram histogram = computeHistogram(image, 0);
    std::uint64_t total = 0;
    for (std::uint64_t count : histogram)
        total += count;
    int lowest = 0;
    while (histogram[lowest] == 0)
        ++lowest;
    const std::uint64_t atLowest = histogram[lowest];
    if (total == atLowest)
        return; // one level only: nothing to spread
    // The usual cumulative mapping, with the lowest level used pinned to 0.
    std::array<std::uint8_t, 256> targets{};
    std::uint64_t cumulative = 0;
    for (int level = lowest; level < 256; ++level) {
        cumulative += histogram[level];
        targets[level] = static_cast<std::uint8_t>((2 * (cumulative - atLowest) * 255 + (total - atLowest)) /
                                                   (2 * (total - atLowest)));
    }
    if (!image.isTrueColour()) {
        std::vector<Rgb> palette = image.palette();
        for (Rgb& entry : palette)
            entry = colourWithLuminance(entry, float(targets[lumaOf(entry)]));
        image.setPalette(palette);
        return;
    }
    const int width = image.width();
    forEachBand(image.height(), [&](int first, int end) {
        std::vector<std::uint8_t> lumas(width);
        std::vector<float> rowTargets(width);
        for (int y = first; y < end; ++y) {
            rowLuminance(image, y, lumas.data());
            for (int x = 0; x < width; ++x)
                rowTargets[x] = targets[lumas[x]];
            Rgb* row = image.rgbRow(y);
            equaliseRow(row, rowTargets.data(), width);
        }
    });
}

void stretchIntensity(Image& image)
{
    if (image.isNull())
        return;
    int lowest = 255, highest = 0;
    if (!image.isTrueColour()) {
        const std::array<std::uint64_t, 256> counts = paletteIndexCounts(image);
        for (int i = 0; i < Image::paletteSizeFor(image.depth()); ++i) {
            if (counts[i] == 0)
                continue;
            const Rgb entry = image.paletteEntry(i);
            lowest = std::min({lowest, int(redOf(entry)), int(greenOf(entry)), int(blueOf(entry))});
            highest = std::max({highest, int(redOf(entry)), int(greenOf(entry)), int(blueOf(entry))});
        }
    } else {
        std::mutex mutex;
        const int width = image.width();
        forEachBand(image.height(), [&](int first, int end) {
            unsigned bandLowest = 255, bandHighest = 0;
            for (int y = first; y < end; ++y)
                widenRange(image.rgbRow(y), width, bandLowest, bandHighest);
            std::lock_guard lock(mutex);
            lowest = std::min(lowest, int(bandLowest));
            highest = std::max(highest, int(bandHighest));
        });
    }
    if (highest <= lowest || (lowest == 0 && highest == 255))
        return; // one level, or already spanning 0..255
    ChannelLut lut;
    const int span = highest - lowest;
    for (int level = 0; level < 256; ++level) {
        const int stretched = (2 * (level - lowest) * 255 + span) / (2 * span);
        lut[level] = clampToByte(level < lowest ? 0 : stretched);
    }
    applyChannelLut(image, lut);
}

} // namespace vask
