#include "engine/ops/geometry/resample.h"

#include "engine/image/image_error.h"
#include "engine/ops/geometry/resample_area.h"
#include "engine/ops/geometry/resample_kernels.h"
#include "engine/parallel/bands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

namespace vask {
namespace {

using resample::kWeightOne;
constexpr double kLobes = 3;

double lanczos3(double x)
{
    if (x == 0)
        return 1;
    if (x <= -kLobes || x >= kLobes)
        return 0;
    const double px = std::numbers::pi * x;
    return kLobes * std::sin(px) * std::sin(px / kLobes) / (px * px);
}

// The filter taps of one axis for the output positions [windowStart, windowStart + count) of
// a scaled length: every position reads `taps` consecutive area positions from first[i].
struct AxisTaps {
    int taps = 1;
    std::vector<int> first;
    std::vector<std::int16_t> weights; // `taps` per output position, each set sums to kWeightOne
};

AxisTaps axisTaps(int areaSize, int scaledSize, int windowStart, int count)
{
    const double scale = double(scaledSize) / areaSize;
    // Shrinking stretches the kernel over 1/scale source pixels, so it averages the area.
    const double widen = scale < 1 ? 1 / scale : 1;
    const double support = kLobes * widen;
    std::vector<double> centres(count);
    std::vector<std::int64_t> lows(count), highs(count);
    AxisTaps result;
    result.first.resize(count);
    for (int i = 0; i < count; ++i) {
        const double centre = (windowStart + i + 0.5) / scale;
        // Area position j (centre j + 0.5) is a tap while |j + 0.5 - centre| < support.
        const auto low = static_cast<std::int64_t>(std::floor(centre - 0.5 - support)) + 1;
        const auto high = std::max(low, static_cast<std::int64_t>(std::ceil(centre - 0.5 + support)) - 1);
        centres[i] = centre;
        lows[i] = low;
        highs[i] = high;
        const std::int64_t clampedLow = std::clamp<std::int64_t>(low, 0, areaSize - 1);
        const std::int64_t clampedHigh = std::clamp<std::int64_t>(high, 0, areaSize - 1);
        result.taps = std::max<int>(result.taps, static_cast<int>(clampedHigh - clampedLow + 1));
        result.first[i] = static_cast<int>(clampedLow);
    }
    result.taps = std::min(result.taps, areaSize);
    const int taps = result.taps;
    result.weights.assign(static_cast<std::size_t>(count) * taps, 0);
    std::vector<double> dense(taps);
    for (int i = 0; i < count; ++i) {
        const int first = std::min(result.first[i], areaSize - taps);
        result.first[i] = first;
        std::fill(dense.begin(), dense.end(), 0.0);
        double total = 0;
        // Taps beyond the edges are dropped and the rest renormalised: repeating the edge
        // pixel instead would give it the weight of hundreds of pixels in a strong reduction.
        const std::int64_t low = std::max<std::int64_t>(lows[i], 0);
        const std::int64_t high = std::min<std::int64_t>(highs[i], areaSize - 1);
        for (std::int64_t j = low; j <= high; ++j) {
            const double w = lanczos3((j + 0.5 - centres[i]) / widen);
            dense[j - first] += w;
            total += w;
        }
        if (!(total > 0)) { // cannot happen for Lanczos-3; keeps a broken kernel from dividing by 0
            std::fill(dense.begin(), dense.end(), 0.0);
            dense[std::clamp<std::int64_t>(static_cast<std::int64_t>(centres[i]), first, first + taps - 1) -
                  first] = 1;
            total = 1;
        }
        // Rounding the running sum (not each weight) makes every set sum to exactly
        // kWeightOne and keeps the many tiny weights of a strong reduction from all vanishing.
        double running = 0;
        long previous = 0;
        std::int16_t* out = result.weights.data() + static_cast<std::size_t>(i) * taps;
        for (int k = 0; k < taps; ++k) {
            running += dense[k] / total * kWeightOne;
            const long rounded = k + 1 == taps ? kWeightOne : std::lround(running);
            out[k] = static_cast<std::int16_t>(std::clamp<long>(rounded - previous, -32768, 32767));
            previous = rounded;
        }
    }
    return result;
}

// Area position of the nearest source pixel for each output position (pixel centres map to
// pixel centres: position i samples area position floor((i + 0.5) x area / scaled)).
std::vector<int> nearestPositions(int areaSize, int scaledSize, int windowStart, int count)
{
    std::vector<int> positions(count);
    for (int i = 0; i < count; ++i)
        positions[i] = static_cast<int>((2 * std::int64_t(windowStart + i) + 1) * areaSize /
                                        (2 * std::int64_t(scaledSize)));
    return positions;
}

int nearestToBlack(const std::vector<Rgb>& palette)
{
    int best = 0;
    unsigned bestDistance = ~0u;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        const unsigned r = redOf(palette[i]), g = greenOf(palette[i]), b = blueOf(palette[i]);
        const unsigned distance = r * r + g * g + b * b;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

template <typename Pixel>
void nearestRows(const Image& source, const Rect& area, int scaledHeight, const Rect& window,
                 const std::vector<int>& columns, int inFirst, int inEnd, Pixel black, Image& out)
{
    forEachBand(window.height, [&](int firstRow, int endRow) {
        for (int y = firstRow; y < endRow; ++y) {
            auto* o = reinterpret_cast<Pixel*>(out.row(y));
            const std::int64_t sy = area.top + (2 * std::int64_t(window.top + y) + 1) * area.height /
                                                   (2 * std::int64_t(scaledHeight));
            if (sy < 0 || sy >= source.height()) {
                std::fill_n(o, window.width, black);
                continue;
            }
            const auto* s = reinterpret_cast<const Pixel*>(source.row(static_cast<int>(sy)));
            std::fill_n(o, inFirst, black);
            const int* c = columns.data();
            for (int x = inFirst; x < inEnd; ++x)
                o[x] = s[c[x]];
            std::fill(o + inEnd, o + window.width, black);
        }
    });
}

Image nearestArea(const Image& source, const Rect& area, int scaledWidth, int scaledHeight,
                  const Rect& window)
{
    Image out(window.width, window.height, source.depth());
    out.setPalette(source.palette());
    std::vector<int> columns = nearestPositions(area.width, scaledWidth, window.left, window.width);
    // The positions grow with x, so the output columns that read inside the source are one run.
    int inFirst = 0;
    while (inFirst < window.width && area.left + columns[inFirst] < 0)
        ++inFirst;
    int inEnd = inFirst;
    while (inEnd < window.width && area.left + columns[inEnd] < source.width())
        ++inEnd;
    for (int& c : columns)
        c += area.left;
    if (source.isTrueColour())
        nearestRows<Rgb>(source, area, scaledHeight, window, columns, inFirst, inEnd, packRgb(0, 0, 0), out);
    else
        nearestRows<std::uint8_t>(source, area, scaledHeight, window, columns, inFirst, inEnd,
                                  static_cast<std::uint8_t>(nearestToBlack(source.palette())), out);
    return out;
}

// A 24-bit copy of the part of a palette picture that lies inside rect.
Image trueColourPart(const Image& source, const Rect& rect)
{
    Image part(rect.width, rect.height, 24);
    const Rgb* palette = source.palette().data();
    forEachBand(rect.height, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const std::uint8_t* in = source.row(rect.top + y) + rect.left;
            Rgb* o = part.rgbRow(y);
            for (int x = 0; x < rect.width; ++x)
                o[x] = palette[in[x]];
        }
    });
    return part;
}

Image lanczosArea(const Image& source, const Rect& area, int scaledWidth, int scaledHeight,
                  const Rect& window)
{
    Image out(window.width, window.height, 24);
    const int insideLeft = std::max(0, area.left);
    const int insideTop = std::max(0, area.top);
    const int insideRight =
        static_cast<int>(std::min<std::int64_t>(source.width(), std::int64_t(area.left) + area.width));
    const int insideBottom =
        static_cast<int>(std::min<std::int64_t>(source.height(), std::int64_t(area.top) + area.height));
    if (insideRight <= insideLeft || insideBottom <= insideTop) {
        out.fill(packRgb(0, 0, 0));
        return out;
    }
    // Taps read 24-bit words: the source itself, or the converted part of a palette source.
    const Image* pixels = &source;
    Image converted;
    int left = area.left, top = area.top; // the area's origin in *pixels
    if (!source.isTrueColour()) {
        converted = trueColourPart(
            source, {insideLeft, insideTop, insideRight - insideLeft, insideBottom - insideTop});
        pixels = &converted;
        left -= insideLeft;
        top -= insideTop;
    }
    const AxisTaps across = axisTaps(area.width, scaledWidth, window.left, window.width);
    const AxisTaps down = axisTaps(area.height, scaledHeight, window.top, window.height);
    // Area columns the horizontal taps read, and the run of them inside the picture.
    const int readFirst = across.first.front();
    const int readEnd = across.first.back() + across.taps;
    const int inFirst = std::clamp(-left, readFirst, readEnd);
    const int inEnd = std::clamp(pixels->width() - left, inFirst, readEnd);
    std::vector<int> offsets(window.width);
    for (int x = 0; x < window.width; ++x)
        offsets[x] = across.first[x] - readFirst;
    // The horizontal weights as pairs for the pair-wise multiply; an odd last tap gets a zero.
    const int pairCount = (across.taps + 1) / 2;
    std::vector<std::int16_t> weightPairs(static_cast<std::size_t>(window.width) * pairCount * 8);
    for (int x = 0; x < window.width; ++x)
        for (int m = 0; m < pairCount; ++m) {
            const std::int16_t* w = across.weights.data() + static_cast<std::size_t>(x) * across.taps;
            const std::int16_t w0 = w[2 * m], w1 = 2 * m + 1 < across.taps ? w[2 * m + 1] : 0;
            std::int16_t* to = weightPairs.data() + (static_cast<std::size_t>(x) * pairCount + m) * 8;
            for (int c = 0; c < 4; ++c) {
                to[2 * c] = w0;
                to[2 * c + 1] = w1;
            }
        }
    const int positions = readEnd - readFirst;

    forEachBand(
        window.height,
        [&](int firstRow, int endRow) {
            // One pixel of zeros past the end serves the last pair; columns outside the
            // picture stay 0 (black).
            std::vector<std::int16_t> sums((static_cast<std::size_t>(positions) + 1) * 4, 0);
            std::vector<std::int16_t> pairs(static_cast<std::size_t>(positions) * 8);
            std::vector<const std::uint8_t*> rows(down.taps);
            std::vector<std::int16_t> rowWeights(down.taps);
            for (int y = firstRow; y < endRow; ++y) {
                int used = 0;
                for (int k = 0; k < down.taps; ++k) {
                    const int sy = top + down.first[y] + k;
                    const std::int16_t w = down.weights[static_cast<std::size_t>(y) * down.taps + k];
                    if (w == 0 || sy < 0 || sy >= pixels->height())
                        continue;
                    rows[used] = pixels->row(sy) + static_cast<std::size_t>(left + inFirst) * 4;
                    rowWeights[used] = w;
                    ++used;
                }
                resample::verticalTaps(rows.data(), rowWeights.data(), used,
                                       sums.data() + static_cast<std::size_t>(inFirst - readFirst) * 4,
                                       (inEnd - inFirst) * 4);
                resample::pairPixels(sums.data(), positions, pairs.data());
                resample::horizontalTaps(pairs.data(), offsets.data(), weightPairs.data(), pairCount,
                                         out.rgbRow(y), window.width);
            }
        },
        4);
    return out;
}

} // namespace

Image resampleArea(const Image& source, const Rect& area, int scaledWidth, int scaledHeight,
                   const Rect& window, ResampleQuality quality)
{
    if (quality == ResampleQuality::Fast)
        return nearestArea(source, area, scaledWidth, scaledHeight, window);
    return lanczosArea(source, area, scaledWidth, scaledHeight, window);
}

Image resampleImage(const Image& source, int width, int height, ResampleQuality quality)
{
    if (source.isNull())
        throw ImageError("There is no picture to resample.");
    if (width < 1 || height < 1 || width > Image::kMaxSide || height > Image::kMaxSide)
        throw ImageError("A picture cannot be resampled to " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels: each side must be 1 to " +
                         std::to_string(Image::kMaxSide) + " pixels.");
    return resampleArea(source, {0, 0, source.width(), source.height()}, width, height, {0, 0, width, height},
                        quality);
}

} // namespace vask
