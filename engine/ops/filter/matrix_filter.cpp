#include "engine/ops/filter/matrix_filter.h"

#include "engine/ops/filter/in_place_bands.h"

#include "engine/image/image_error.h"
#include "engine/image/pixel_memory.h"
#include "engine/image/true_colour.h"
#include "engine/ops/palette/nearest_colour.h"
#include "engine/parallel/bands.h"
#include "engine/parallel/cpu_dispatch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace vask {
namespace {

// Rounding: each channel is the nearest integer to sum x scale / divisor, halves rounded
// up (towards +infinity), then offset is added and the result clamped to 0..255. A negative
// divisor (norm <= 0 and a negative kernel sum) divides as it is, so the sign flips.
struct ScaleRule {
    std::int64_t numerator = 1;   // scale with the divisor's sign
    std::int64_t denominator = 1; // |divisor|, at least 1
    std::int64_t offset = 0;
};

std::int64_t floorDivide(__int128 a, __int128 b)
{
    __int128 q = a / b;
    if ((a % b) != 0 && ((a < 0) != (b < 0)))
        --q;
    // Only the clamped byte matters: keep the quotient inside int64 whatever the inputs.
    const __int128 limit = __int128(1) << 62;
    return static_cast<std::int64_t>(q > limit ? limit : (q < -limit ? -limit : q));
}

// The unclamped result for one sum, in exact integers.
std::int64_t exactValue(const ScaleRule& rule, std::int64_t sum)
{
    const __int128 twice = __int128(2) * sum * rule.numerator + rule.denominator;
    return floorDivide(twice, __int128(2) * rule.denominator) + rule.offset;
}

std::uint8_t exactByte(const ScaleRule& rule, std::int64_t sum)
{
    const std::int64_t v = exactValue(rule, sum);
    return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// The general finish: exact wide arithmetic, for kernels whose sums do not fit the fast one.
struct ExactFinish {
    ScaleRule rule;
    std::uint8_t operator()(std::int64_t sum) const { return exactByte(rule, sum); }
};

// The fast finish: the sum is clamped to the range where the result is not saturated, and
// the division becomes a multiply and shift that was checked against the exact result for
// every sum in that range before use.
struct FixedFinish {
    int low = 0;
    int high = 0;
    int centre = 0;
    int multiplier = 0;
    int bias = 0;
    int shift = 0;
    std::uint8_t operator()(int sum) const
    {
        int s = sum < low ? low : sum;
        s = s > high ? high : s;
        int t = ((s - centre) * multiplier + bias) >> shift;
        t = t < 0 ? 0 : t;
        t = t > 255 ? 255 : t;
        return static_cast<std::uint8_t>(t);
    }
};

// The quickest finish: one float multiply and add, truncated. Truncation equals floor for
// every result that survives the clamp, and float rounding keeps the result monotone, so a
// check at every sum between the two saturated ends proves it for all sums.
struct FloatFinish {
    float scale = 0;
    float bias = 0;
    std::uint8_t operator()(int sum) const
    {
        int t = static_cast<int>(static_cast<float>(sum) * scale + bias);
        t = t < 0 ? 0 : t;
        t = t > 255 ? 255 : t;
        return static_cast<std::uint8_t>(t);
    }
};

// Largest number of sums a fast finish is checked against; beyond it the exact one runs.
constexpr std::int64_t kMaxCheckedSums = std::int64_t(1) << 18;

// The sums between the two saturated ends, where a fast finish must be checked one by one.
struct UnsaturatedRange {
    std::int64_t low = 0;
    std::int64_t high = 0;
    bool constant = false;
    std::uint8_t constantValue = 0;
};

UnsaturatedRange unsaturatedRange(const ScaleRule& rule, std::int64_t minSum, std::int64_t maxSum)
{
    UnsaturatedRange range;
    const std::uint8_t first = exactByte(rule, minSum);
    const std::uint8_t last = exactByte(rule, maxSum);
    if (first == last) {
        range.constant = true;
        range.constantValue = first;
        return range;
    }
    // The result is monotone in the sum: find where it stops being saturated at each end.
    std::int64_t lo = minSum, hi = maxSum;
    while (lo < hi) { // largest s with byte(s) == first
        const std::int64_t mid = lo + (hi - lo + 1) / 2;
        if (exactByte(rule, mid) == first)
            lo = mid;
        else
            hi = mid - 1;
    }
    range.low = lo;
    lo = minSum, hi = maxSum;
    while (lo < hi) { // smallest s with byte(s) == last
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (exactByte(rule, mid) == last)
            hi = mid;
        else
            lo = mid + 1;
    }
    range.high = lo;
    return range;
}

bool findFloatFinish(const ScaleRule& rule, std::int64_t minSum, std::int64_t maxSum, FloatFinish& out)
{
    const UnsaturatedRange range = unsaturatedRange(rule, minSum, maxSum);
    if (range.constant) {
        out = FloatFinish{0.0f, static_cast<float>(range.constantValue)};
        return true;
    }
    if (range.high - range.low > kMaxCheckedSums || maxSum >= (1 << 24) || minSum <= -(1 << 24))
        return false;
    const double scale = double(rule.numerator) / double(rule.denominator);
    const double bias = double(rule.offset) + 0.5;
    // Every sum must convert without overflow: keep the unclamped value well inside int32.
    if (std::abs(scale * double(minSum) + bias) > 1e9 || std::abs(scale * double(maxSum) + bias) > 1e9)
        return false;
    FloatFinish candidate{static_cast<float>(scale), static_cast<float>(bias)};
    for (int attempt = 0; attempt < 8; ++attempt) {
        bool exact = true;
        int wrongDirection = 0;
        for (std::int64_t s = range.low; s <= range.high + 2 && exact; ++s) {
            // Both ends of the whole range too: monotony then covers the saturated sums.
            const std::int64_t sum = s <= range.high ? s : (s == range.high + 1 ? minSum : maxSum);
            const std::uint8_t want = exactByte(rule, sum);
            // The compiler may or may not fuse the multiply and add: both must be right.
            const float fused = std::fma(static_cast<float>(sum), candidate.scale, candidate.bias);
            const int fusedByte = std::clamp(static_cast<int>(fused), 0, 255);
            const std::uint8_t got = candidate(static_cast<int>(sum));
            if (got != want || fusedByte != want) {
                exact = false;
                wrongDirection = (got < want || fusedByte < want) ? 1 : -1;
            }
        }
        if (exact) {
            out = candidate;
            return true;
        }
        // Nudge the bias a few units in the last place towards the failing side.
        candidate.bias = std::nextafter(candidate.bias, wrongDirection > 0 ? 1e30f : -1e30f);
    }
    return false;
}

// Finds a multiply-and-shift equal to exactByte for every sum in [minSum, maxSum].
bool findFixedFinish(const ScaleRule& rule, std::int64_t minSum, std::int64_t maxSum, FixedFinish& out)
{
    const UnsaturatedRange range = unsaturatedRange(rule, minSum, maxSum);
    if (range.constant) {
        out = FixedFinish{0, 0, 0, 0, range.constantValue, 0};
        return true;
    }
    const std::int64_t low = range.low, high = range.high;
    if (high - low > kMaxCheckedSums || low < INT32_MIN / 2 || high > INT32_MAX / 2)
        return false;
    const std::int64_t centre = low + (high - low) / 2;
    std::vector<std::uint8_t> expected(static_cast<std::size_t>(high - low + 1));
    for (std::int64_t s = low; s <= high; ++s)
        expected[static_cast<std::size_t>(s - low)] = exactByte(rule, s);

    for (int shift = 0; shift <= 24; ++shift) {
        const __int128 scaled = (__int128(rule.numerator) << shift);
        const std::int64_t floorM = floorDivide(scaled, rule.denominator);
        for (std::int64_t m : {floorM, floorM + 1}) {
            if (m > INT32_MAX || m < INT32_MIN)
                continue;
            // Every sum bounds the bias from one or both sides; take the smallest that works.
            const std::int64_t unit = std::int64_t(1) << shift;
            std::int64_t biasLow = INT64_MIN / 4, biasHigh = INT64_MAX / 4;
            for (std::int64_t s = low; s <= high; ++s) {
                const std::int64_t product = (s - centre) * m;
                const int e = expected[static_cast<std::size_t>(s - low)];
                if (e > 0)
                    biasLow = std::max(biasLow, e * unit - product);
                if (e < 255)
                    biasHigh = std::min(biasHigh, (e + 1) * unit - 1 - product);
                if (biasLow > biasHigh)
                    break;
            }
            if (biasLow > biasHigh)
                continue;
            const std::int64_t bias = biasLow > INT64_MIN / 4 ? biasLow : biasHigh;
            const std::int64_t reach = std::max(std::abs((low - centre) * m), std::abs((high - centre) * m));
            if (std::abs(bias) > INT32_MAX / 2 || reach > INT32_MAX / 2)
                continue;
            out = FixedFinish{static_cast<int>(low), static_cast<int>(high), static_cast<int>(centre),
                              static_cast<int>(m),   static_cast<int>(bias), shift};
            return true;
        }
    }
    return false;
}

// One output row: out[i] = finish(sum over taps of k x rows[r][i + c x bpp]) for i < count.
// The rows are padded by the kernel radius on each side, so the loop needs no edge tests.
template <int N, int Bpp, typename Acc, typename Finish>
[[gnu::always_inline]] inline void convolveRowBody(const std::uint8_t* const* rows,
                                                   std::uint8_t* __restrict out, int count, const int* taps,
                                                   const Finish& finish)
{
    int k[N * N];
    for (int t = 0; t < N * N; ++t)
        k[t] = taps[t];
    const std::uint8_t* __restrict r0 = rows[0];
    const std::uint8_t* __restrict r1 = rows[1];
    const std::uint8_t* __restrict r2 = rows[2];
    for (int i = 0; i < count; ++i) {
        Acc s = 0;
        if constexpr (N == 3) {
            s = static_cast<Acc>(k[0] * r0[i] + k[1] * r0[i + Bpp] + k[2] * r0[i + 2 * Bpp] + //
                                 k[3] * r1[i] + k[4] * r1[i + Bpp] + k[5] * r1[i + 2 * Bpp] + //
                                 k[6] * r2[i] + k[7] * r2[i + Bpp] + k[8] * r2[i + 2 * Bpp]);
        } else {
            const std::uint8_t* __restrict r3 = rows[3];
            const std::uint8_t* __restrict r4 = rows[4];
            s = static_cast<Acc>(k[0] * r0[i] + k[1] * r0[i + Bpp] + k[2] * r0[i + 2 * Bpp] +
                                 k[3] * r0[i + 3 * Bpp] + k[4] * r0[i + 4 * Bpp] + //
                                 k[5] * r1[i] + k[6] * r1[i + Bpp] + k[7] * r1[i + 2 * Bpp] +
                                 k[8] * r1[i + 3 * Bpp] + k[9] * r1[i + 4 * Bpp] + //
                                 k[10] * r2[i] + k[11] * r2[i + Bpp] + k[12] * r2[i + 2 * Bpp] +
                                 k[13] * r2[i + 3 * Bpp] + k[14] * r2[i + 4 * Bpp] + //
                                 k[15] * r3[i] + k[16] * r3[i + Bpp] + k[17] * r3[i + 2 * Bpp] +
                                 k[18] * r3[i + 3 * Bpp] + k[19] * r3[i + 4 * Bpp] + //
                                 k[20] * r4[i] + k[21] * r4[i + Bpp] + k[22] * r4[i + 2 * Bpp] +
                                 k[23] * r4[i + 3 * Bpp] + k[24] * r4[i + 4 * Bpp]);
        }
        out[i] = finish(s);
    }
}

template <int N, int Bpp, typename Acc, typename Finish>
void convolveRowPlain(const std::uint8_t* const* rows, std::uint8_t* out, int count, const int* taps,
                      const Finish& finish)
{
    convolveRowBody<N, Bpp, Acc>(rows, out, count, taps, finish);
}

// The same loop for processors with AVX2, chosen once per picture: twice the lanes.
template <int N, int Bpp, typename Acc, typename Finish>
VASK_TARGET_AVX2 void convolveRowAvx2(const std::uint8_t* const* rows, std::uint8_t* out, int count,
                                      const int* taps, const Finish& finish)
{
    convolveRowBody<N, Bpp, Acc>(rows, out, count, taps, finish);
}

// The wide version for kernels whose sums may pass 32 bits.
template <int N, int Bpp>
void convolveRowWide(const std::uint8_t* const* rows, std::uint8_t* out, int count, const int* taps,
                     const ExactFinish& finish)
{
    for (int i = 0; i < count; ++i) {
        std::int64_t s = 0;
        for (int r = 0; r < N; ++r)
            for (int c = 0; c < N; ++c)
                s += std::int64_t(taps[r * N + c]) * rows[r][i + c * Bpp];
        out[i] = finish(s);
    }
}

// Filters a picture of 1- or 4-byte pixels in place, both cores; rowOp(rows, out, count)
// computes one output row from the N padded source rows around it.
template <int N, int Bpp, typename RowOp> void filterPicture(Image& image, const RowOp& rowOp)
{
    constexpr int radius = N / 2;
    const int width = image.width();
    const int rowBytes = width * Bpp;
    const std::size_t paddedBytes =
        (static_cast<std::size_t>(width + 2 * radius) * Bpp + 63) & ~std::size_t(63);
    InPlaceBands bands(image, radius, static_cast<std::size_t>(rowBytes));

    forEachBand(
        bands.bandCount(),
        [&](int firstBand, int endBand) {
            auto ring = std::make_unique<std::uint8_t[]>(paddedBytes * N);
            for (int band = firstBand; band < endBand; ++band) {
                const int first = bands.bandStart(band);
                const int end = bands.bandStart(band + 1);
                auto sourceRow = [&](int y) { return bands.sourceRow(band, y); };
                // Slot of row y (which may lie outside the picture) holds its padded copy.
                auto slot = [&](int y) {
                    return ring.get() + paddedBytes * static_cast<std::size_t>((y + N) % N);
                };
                auto load = [&](int y) {
                    std::uint8_t* dst = slot(y);
                    const std::uint8_t* src = sourceRow(y);
                    std::memcpy(dst + radius * Bpp, src, rowBytes);
                    for (int j = 0; j < radius; ++j) {
                        std::memcpy(dst + j * Bpp, src, Bpp);
                        std::memcpy(dst + (radius + width + j) * Bpp, src + (width - 1) * Bpp, Bpp);
                    }
                };
                for (int y = first - radius; y < first + radius; ++y)
                    load(y);
                for (int y = first; y < end; ++y) {
                    load(y + radius);
                    const std::uint8_t* rows[N];
                    for (int j = 0; j < N; ++j)
                        rows[j] = slot(y - radius + j);
                    rowOp(rows, image.row(y), rowBytes);
                    if constexpr (Bpp == 4) {
                        Rgb* pixels = image.rgbRow(y);
                        for (int x = 0; x < width; ++x)
                            pixels[x] |= 0xFF000000u;
                    }
                }
            }
        },
        1);
}

template <int N, int Bpp, typename Acc, typename Finish>
void filterWith(Image& image, const int* taps, const Finish& finish)
{
    if (cpuHasAvx2()) {
        filterPicture<N, Bpp>(image, [&](const std::uint8_t* const* rows, std::uint8_t* out, int count) {
            convolveRowAvx2<N, Bpp, Acc>(rows, out, count, taps, finish);
        });
        return;
    }
    filterPicture<N, Bpp>(image, [&](const std::uint8_t* const* rows, std::uint8_t* out, int count) {
        convolveRowPlain<N, Bpp, Acc>(rows, out, count, taps, finish);
    });
}

// Sums run in the narrowest integers that hold every partial sum of the kernel.
template <int N, int Bpp, typename Finish>
void filterWithSums(Image& image, const int* taps, const Finish& finish, std::int64_t minSum,
                    std::int64_t maxSum)
{
    if (maxSum <= INT16_MAX && minSum >= INT16_MIN)
        filterWith<N, Bpp, std::int16_t>(image, taps, finish);
    else if (minSum == 0 && maxSum <= UINT16_MAX)
        filterWith<N, Bpp, std::uint16_t>(image, taps, finish);
    else
        filterWith<N, Bpp, int>(image, taps, finish);
}

template <int N, int Bpp> void filterBytes(Image& image, const Kernel& kernel, const ScaleRule& rule)
{
    std::int64_t positive = 0, negative = 0;
    for (int t = 0; t < N * N; ++t) {
        const std::int64_t v = kernel.values[t];
        (v > 0 ? positive : negative) += v;
    }
    const std::int64_t maxSum = 255 * positive;
    const std::int64_t minSum = 255 * negative;
    const int* taps = kernel.values.data();
    // Every partial sum lies within [minSum, maxSum], so these bounds keep 32-bit sums safe.
    if (maxSum <= INT32_MAX / 2 && minSum >= INT32_MIN / 2) {
        FloatFinish quick;
        if (findFloatFinish(rule, minSum, maxSum, quick)) {
            filterWithSums<N, Bpp>(image, taps, quick, minSum, maxSum);
            return;
        }
        FixedFinish fixed;
        if (findFixedFinish(rule, minSum, maxSum, fixed)) {
            filterWithSums<N, Bpp>(image, taps, fixed, minSum, maxSum);
            return;
        }
    }
    const ExactFinish exact{rule};
    filterPicture<N, Bpp>(image, [&](const std::uint8_t* const* rows, std::uint8_t* out, int count) {
        convolveRowWide<N, Bpp>(rows, out, count, taps, exact);
    });
}

template <int Bpp> void filterBytes(Image& image, const Kernel& kernel, const ScaleRule& rule)
{
    if (kernel.size == 3)
        filterBytes<3, Bpp>(image, kernel, rule);
    else
        filterBytes<5, Bpp>(image, kernel, rule);
}

bool isPlainGreyRamp(const Image& image)
{
    return image.depth() == 8 && image.palette() == greyPalette(8);
}

} // namespace

void matrixFilter(Image& image, const Kernel& kernel, int scale, int norm, int offset)
{
    if (kernel.size != 3 && kernel.size != 5)
        throw ImageError("A filter kernel must be 3 x 3 or 5 x 5, not " + std::to_string(kernel.size) +
                         " x " + std::to_string(kernel.size) + ".");
    if (image.isNull())
        return;
    std::int64_t kernelSum = 0;
    for (int t = 0; t < kernel.size * kernel.size; ++t)
        kernelSum += kernel.values[t];
    const std::int64_t divisor = norm > 0 ? norm : (kernelSum != 0 ? kernelSum : 1);
    ScaleRule rule;
    rule.numerator = divisor < 0 ? -std::int64_t(scale) : scale;
    rule.denominator = divisor < 0 ? -divisor : divisor;
    rule.offset = offset;

    if (image.isTrueColour()) {
        filterBytes<4>(image, kernel, rule);
        return;
    }
    if (isPlainGreyRamp(image)) {
        // Index and grey level coincide, and the nearest grey to any grey is itself.
        filterBytes<1>(image, kernel, rule);
        return;
    }
    Image colours = toTrueColour(image);
    filterBytes<4>(colours, kernel, rule);
    const int width = image.width();
    const std::vector<Rgb>& palette = image.palette();
    // One band per core: each band fills its own nearest-colour cache, so fewer bands share
    // more of the searching.
    const int height = image.height();
    const int bands = std::min(bandThreadCount(), height);
    forEachBand(
        bands,
        [&](int firstBand, int endBand) {
            NearestColour nearest(palette);
            const int first = static_cast<int>(std::int64_t(height) * firstBand / bands);
            const int end = static_cast<int>(std::int64_t(height) * endBand / bands);
            for (int y = first; y < end; ++y) {
                const Rgb* in = colours.rgbRow(y);
                std::uint8_t* out = image.row(y);
                for (int x = 0; x < width; ++x)
                    out[x] = nearest.indexOf(in[x]);
            }
        },
        1);
}

} // namespace vask
