#include "engine/ops/colour/hexcone_planes.h"

#include "engine/ops/colour/hexcone_position.h"
#include "engine/parallel/cpu_dispatch.h"

#include <algorithm>
#include <cstdlib>

namespace vask::hexcone {
namespace {

// Pixels are handled in chunks so the flags of a chunk live on the stack.
constexpr int kChunk = 1024;

// The row loops choose with conditionals and masks rather than branches, and divide in float,
// the only vector division there is. Products of two levels are exact in float and each
// quotient is rounded once, so every copy of a loop computes identical values.
inline int roundedQuotient(float numerator, float denominator)
{
    return static_cast<int>(numerator / denominator + 0.5f);
}

// Sector of a hue code: 0 red..yellow, 1 yellow..green, ... 5 magenta..red.
inline int sectorOf(int code)
{
    return (code >= 43) + (code >= 85) + (code >= 128) + (code >= 171) + (code >= 213);
}
inline int sectorStart(int sector)
{
    return sector * 43 - (sector >= 2) - (sector >= 5);
}
// Sectors 1 and 4 are 42 codes wide, the others 43. (Written as a comparison after folding
// the sector into 0..2, because a bit test on the sector would need variable vector shifts.)
inline int isNarrowSector(int sector)
{
    return (sector >= 3 ? sector - 3 : sector) == 1;
}

// The middle channel above min, round(delta x rising / width), for a colour of spread delta
// whose hue lies rising codes into a sector of width (42 or 43) codes. The divisions by 84 and
// 86 are multiplications by 2^22 / divisor rounded up, exact for numerators below 2^15.
inline int midOffset(int delta, int rising, int width)
{
    const int twice = 2 * delta * rising + width;
    return (twice * (width == 42 ? 49933 : 48771)) >> 22;
}

// round(255 spread / capacity) for spread <= capacity; 0 when both are 0.
inline int saturationFor(int spread, int capacity)
{
    return roundedQuotient(static_cast<float>(255 * spread), static_cast<float>(capacity + (capacity == 0)));
}

// round(saturation x capacity / 255): the spread back. Exact for a saturation from
// saturationFor: that is within half a step of 255 spread / capacity, so saturation x
// capacity / 255 lies within capacity / 510 < 0.5 of the spread (on it when capacity is 255).
inline int spreadFor(int saturation, int capacity)
{
    return roundedQuotient(static_cast<float>(saturation) * static_cast<float>(capacity), 255.0f);
}

// The largest max - min an HLS lightness allows.
inline int hlsCapacity(int lightness)
{
    return std::min(2 * lightness + 1, 510 - 2 * lightness);
}

template <bool Hls> struct Model;

template <> struct Model<false> {
    static int level(int mx, int) { return mx; }
    static int capacity(int mx, int) { return mx; }
    static int minimum(int value, int delta) { return value - delta; }
    static int capacityOfLevel(int value) { return value; }
};

template <> struct Model<true> {
    static int level(int mx, int mn) { return (mx + mn) >> 1; }
    static int capacity(int mx, int mn) { return hlsCapacity((mx + mn) >> 1); }
    static int minimum(int lightness, int delta) { return lightness - (delta >> 1); }
    static int capacityOfLevel(int lightness) { return hlsCapacity(lightness); }
};

template <bool Hls> inline Rgb decode(int code, int level, int saturation)
{
    const int delta = spreadFor(saturation, Model<Hls>::capacityOfLevel(level));
    const int mn = Model<Hls>::minimum(level, delta);
    const int mx = mn + delta;
    const int sector = sectorOf(code);
    const int width = 43 - isNarrowSector(sector);
    const int k = code - sectorStart(sector);
    const int rising = (sector & 1) ? width - k : k;
    return arrange(sector, mx, mn + midOffset(delta, rising, width), mn);
}

// Re-codes a pixel the row loop left more than one level off: tries the nearest and both
// neighbouring hue codes with max and min moved by up to a level (two when one level cannot
// bring it within two) and keeps what merges closest. A merge recovers max and min exactly
// from any valid pair, so only the middle channel needs working out for each candidate.
// Candidates are scored without branches, error first, since most pixels that come here end
// up two levels off whatever is tried.
template <bool Hls> void recode(Rgb pixel, std::uint8_t& code, std::uint8_t& level, std::uint8_t& saturation)
{
    const int channels[3] = {int(redOf(pixel)), int(greenOf(pixel)), int(blueOf(pixel))};
    const int mx = std::max({channels[0], channels[1], channels[2]});
    const int mn = std::min({channels[0], channels[1], channels[2]});
    const int codes[3] = {int(code), (code + 255) & 255, (code + 1) & 255};
    // score = error << 11 | |shifts| << 8 | code number << 6 | max shift + 2 << 3 | min shift + 2;
    // the least wins, so among equally good candidates the smallest shifts and nearest code.
    int best = 1 << 30;
    for (int reach = 1; reach <= 2; ++reach) {
        for (int c = 0; c < 3; ++c) {
            const int sector = sectorOf(codes[c]);
            const int width = 43 - isNarrowSector(sector);
            const int k = codes[c] - sectorStart(sector);
            const int rising = (sector & 1) ? width - k : k;
            const int maxChannel = maxChannelOf(sector), minChannel = minChannelOf(sector);
            const int wantedMax = channels[maxChannel], wantedMin = channels[minChannel];
            const int wantedMid = channels[3 - maxChannel - minChannel];
            for (int maxShift = -reach; maxShift <= reach; ++maxShift)
                for (int minShift = -reach; minShift <= reach; ++minShift) {
                    const int upper = mx + maxShift, lower = mn + minShift;
                    const bool valid = lower >= 0 && upper <= 255 && lower <= upper;
                    const int mid = lower + midOffset(std::max(upper - lower, 0), rising, width);
                    const int error = std::max({std::abs(upper - wantedMax), std::abs(lower - wantedMin),
                                                std::abs(mid - wantedMid), valid ? 0 : 255});
                    const int size = std::abs(maxShift) + std::abs(minShift);
                    best = std::min(best, (error << 11) | (size << 8) | (c << 6) | ((maxShift + 2) << 3) |
                                              (minShift + 2));
                }
        }
        if ((best >> 11) <= 2)
            break;
    }
    const int upper = mx + ((best >> 3) & 7) - 2, lower = mn + (best & 7) - 2;
    code = static_cast<std::uint8_t>(codes[(best >> 6) & 3]);
    level = static_cast<std::uint8_t>(Model<Hls>::level(upper, lower));
    saturation = static_cast<std::uint8_t>(saturationFor(upper - lower, Model<Hls>::capacity(upper, lower)));
}

// Codes a chunk with the nearest hue code per pixel. Where that leaves the middle channel two
// or more levels off, max and min move one level its way, which moves the middle channel by
// exactly one; the few pixels still more than one level off are re-coded afterwards.
template <bool Hls>
[[gnu::always_inline]] inline void separateChunk(const Rgb* __restrict in, int count,
                                                 std::uint8_t* __restrict hue, std::uint8_t* __restrict level,
                                                 std::uint8_t* __restrict saturation)
{
    std::uint8_t unresolved[kChunk];
    for (int x = 0; x < count; ++x) {
        const Rgb p = in[x];
        const Position position = positionOf(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF));
        const int mx = position.mx, mn = position.mn, delta = position.delta;
        const int sector = position.sector, along = position.along;
        const int width = 43 - isNarrowSector(sector);
        const int k = roundedQuotient(static_cast<float>(along) * static_cast<float>(width),
                                      static_cast<float>(delta + (delta == 0)));
        const bool falling = sector & 1;
        const int rising = falling ? width - k : k;
        const int wanted = falling ? delta - along : along;
        const int midError = midOffset(delta, rising, width) - wanted;
        int move = (midError < -1) - (midError > 1);
        move = (mn + move >= 0 && mx + move <= 255) ? move : 0;
        const int lower = mn + move, upper = mx + move;
        hue[x] = static_cast<std::uint8_t>((sectorStart(sector) + k) & 255);
        level[x] = static_cast<std::uint8_t>(Model<Hls>::level(upper, lower));
        saturation[x] = static_cast<std::uint8_t>(saturationFor(delta, Model<Hls>::capacity(upper, lower)));
        unresolved[x] = std::abs(midError + move) > 1;
    }
    for (int x = 0; x < count; ++x)
        if (unresolved[x])
            recode<Hls>(in[x], hue[x], level[x], saturation[x]);
}

template <bool Hls>
[[gnu::always_inline]] inline void separateRow(const Rgb* in, int width, std::uint8_t* hue,
                                               std::uint8_t* level, std::uint8_t* saturation)
{
    for (int x = 0; x < width; x += kChunk)
        separateChunk<Hls>(in + x, std::min(kChunk, width - x), hue + x, level + x, saturation + x);
}

template <bool Hls>
[[gnu::always_inline]] inline void
mergeRow(const std::uint8_t* __restrict hue, const std::uint8_t* __restrict level,
         const std::uint8_t* __restrict saturation, int width, Rgb* __restrict out)
{
    for (int x = 0; x < width; ++x)
        out[x] = decode<Hls>(hue[x], level[x], saturation[x]);
}

} // namespace

VASK_VECTOR_CLONES void separateHsvRow(const Rgb* in, int width, std::uint8_t* hue, std::uint8_t* saturation,
                                       std::uint8_t* value)
{
    separateRow<false>(in, width, hue, value, saturation);
}

VASK_VECTOR_CLONES void separateHlsRow(const Rgb* in, int width, std::uint8_t* hue, std::uint8_t* lightness,
                                       std::uint8_t* saturation)
{
    separateRow<true>(in, width, hue, lightness, saturation);
}

VASK_VECTOR_CLONES void mergeHsvRow(const std::uint8_t* hue, const std::uint8_t* saturation,
                                    const std::uint8_t* value, int width, Rgb* out)
{
    mergeRow<false>(hue, value, saturation, width, out);
}

VASK_VECTOR_CLONES void mergeHlsRow(const std::uint8_t* hue, const std::uint8_t* lightness,
                                    const std::uint8_t* saturation, int width, Rgb* out)
{
    mergeRow<true>(hue, lightness, saturation, width, out);
}

} // namespace vask::hexcone
