#include "engine/ops/adjust/adjustments.h"

#include "engine/ops/adjust/channel_lut.h"
#include "engine/ops/adjust/histogram.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vask {
namespace {

std::uint8_t roundedLevel(double value)
{
    return clampToByte(static_cast<int>(std::floor(value + 0.5)));
}

// Levels spread about centre by factor; factor < 0 stands for "infinitely steep": a
// threshold at centre. Halves round away from the centre, so the mapping about mid grey is
// symmetric (it commutes with negation); a level on the centre rounds up.
ChannelLut contrastLut(double centre, double factor)
{
    ChannelLut lut;
    for (int level = 0; level < 256; ++level) {
        const double value = factor < 0 ? (level > centre ? 255.0 : (level < centre ? 0.0 : centre))
                                        : centre + (level - centre) * factor;
        lut[level] = value >= centre ? roundedLevel(value) : clampToByte(int(std::ceil(value - 0.5)));
    }
    return lut;
}

// -1000..0 flattens by (1000 + v) / 1000, down to one grey at v = -1000; 0..1000 steepens
// by 1000 / (1000 - v), up to a threshold at v = 1000.
double contrastFactor(int tenthsPercent)
{
    const int v = std::clamp(tenthsPercent, -1000, 1000);
    if (v <= 0)
        return (1000.0 + v) / 1000.0;
    return v == 1000 ? -1.0 : 1000.0 / (1000.0 - v);
}

} // namespace

void changeBrightness(Image& image, int tenthsPercent)
{
    const int v = std::clamp(tenthsPercent, -1000, 1000);
    if (image.isNull() || v == 0)
        return;
    // Towards white by v / 1000 of the way up, or towards black by keeping (1000 + v) / 1000:
    // the ends reach white and black, and the order of levels never changes.
    ChannelLut lut;
    for (int level = 0; level < 256; ++level)
        lut[level] = v > 0 ? roundedLevel(level + (255 - level) * v / 1000.0)
                           : roundedLevel(level * (1000 + v) / 1000.0);
    applyChannelLut(image, lut);
}

void changeContrast(Image& image, int tenthsPercent)
{
    if (image.isNull() || tenthsPercent == 0)
        return;
    // About mid grey 127.5, halfway between black and white, so negation and contrast commute.
    applyChannelLut(image, contrastLut(127.5, contrastFactor(tenthsPercent)));
}

void changeHistogramContrast(Image& image, int tenthsPercent)
{
    if (image.isNull() || tenthsPercent == 0)
        return;
    const Histogram histogram = computeHistogram(image, 0);
    double sum = 0, count = 0;
    for (int level = 0; level < 256; ++level) {
        sum += double(level) * double(histogram[level]);
        count += double(histogram[level]);
    }
    applyChannelLut(image, contrastLut(sum / count, contrastFactor(tenthsPercent)));
}

void changeGamma(Image& image, int position)
{
    const int p = std::clamp(position, 1, 250);
    if (image.isNull() || p == 125)
        return;
    // gamma = 2.4 ^ ((p - 125) / 125): 1 at 125, 2.4 at 250, 1 / 2.4 at 0; the output is
    // 255 (level / 255) ^ (1 / gamma), so gammas above 1 lighten.
    const double gamma = std::pow(2.4, (p - 125) / 125.0);
    ChannelLut lut;
    for (int level = 0; level < 256; ++level)
        lut[level] = roundedLevel(255.0 * std::pow(level / 255.0, 1.0 / gamma));
    applyChannelLut(image, lut);
}

} // namespace vask
