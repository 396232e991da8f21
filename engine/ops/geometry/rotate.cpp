#include "engine/ops/geometry/rotate.h"

#include "engine/image/image_error.h"
#include "engine/ops/geometry/mirror.h"
#include "engine/parallel/bands.h"
#include "engine/parallel/cpu_dispatch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <string>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vask {
namespace {

// Quarter turns are copied in square tiles so both the rows read and the rows written stay
// in cache; 128 x 128 measured best here (narrower tiles starve the prefetchers).
constexpr int kTile = 128;

// Where out(x, y) comes from. Anticlockwise by 90 degrees: out(x, y) = in(w - 1 - y, x), so
// the top-right corner becomes the top-left. Clockwise: out(x, y) = in(y, h - 1 - x).
template <typename T> struct QuarterSource {
    const std::uint8_t* bits;
    std::size_t stride;
    int width;
    int height;
    bool anticlockwise;
    const T* at(int x, int y) const
    {
        const int sx = anticlockwise ? width - 1 - y : y;
        const int sy = anticlockwise ? x : height - 1 - x;
        return reinterpret_cast<const T*>(bits + stride * static_cast<std::size_t>(sy)) + sx;
    }
};

template <typename T> void turnSpanPlain(const QuarterSource<T>& source, T* out, int y, int x0, int x1)
{
    const T* first = source.at(x0, y);
    // Consecutive x walk down (anticlockwise) or up (clockwise) one source column.
    const std::ptrdiff_t step =
        (source.anticlockwise ? 1 : -1) * static_cast<std::ptrdiff_t>(source.stride / sizeof(T));
    for (int x = x0; x < x1; ++x)
        out[x] = first[(x - x0) * step];
}

template <typename T>
void turnTile(const QuarterSource<T>& source, Image& out, int y0, int y1, int x0, int x1)
{
    int y = y0;
#if defined(__SSE2__)
    if constexpr (sizeof(T) == 4) {
        // 4 x 4 blocks: four source rows loaded, transposed in registers, stored as four rows.
        for (; y + 4 <= y1; y += 4) {
            T* d[4];
            for (int k = 0; k < 4; ++k)
                d[k] = reinterpret_cast<T*>(out.row(source.anticlockwise ? y + 3 - k : y + k));
            int x = x0;
            for (; x + 4 <= x1; x += 4) {
                // Row i of the block holds out(x + i, y .. y + 3), in source order.
                const T* s0 = source.anticlockwise ? source.at(x, y + 3) : source.at(x, y);
                const T* s1 = source.anticlockwise ? source.at(x + 1, y + 3) : source.at(x + 1, y);
                const T* s2 = source.anticlockwise ? source.at(x + 2, y + 3) : source.at(x + 2, y);
                const T* s3 = source.anticlockwise ? source.at(x + 3, y + 3) : source.at(x + 3, y);
                const __m128i r0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s0));
                const __m128i r1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s1));
                const __m128i r2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s2));
                const __m128i r3 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s3));
                const __m128i t0 = _mm_unpacklo_epi32(r0, r1), t1 = _mm_unpacklo_epi32(r2, r3);
                const __m128i t2 = _mm_unpackhi_epi32(r0, r1), t3 = _mm_unpackhi_epi32(r2, r3);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d[0] + x), _mm_unpacklo_epi64(t0, t1));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d[1] + x), _mm_unpackhi_epi64(t0, t1));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d[2] + x), _mm_unpacklo_epi64(t2, t3));
                _mm_storeu_si128(reinterpret_cast<__m128i*>(d[3] + x), _mm_unpackhi_epi64(t2, t3));
            }
            for (int k = 0; k < 4 && x < x1; ++k)
                turnSpanPlain(source, reinterpret_cast<T*>(out.row(y + k)), y + k, x, x1);
        }
    }
#endif
    for (; y < y1; ++y)
        turnSpanPlain(source, reinterpret_cast<T*>(out.row(y)), y, x0, x1);
}

template <typename T> Image turnQuarter(const Image& in, bool anticlockwise)
{
    Image out(in.height(), in.width(), in.depth());
    out.setPalette(in.palette());
    const QuarterSource<T> source{in.bits(), in.stride(), in.width(), in.height(), anticlockwise};
    const int outRows = out.height();
    const int outColumns = out.width();
    forEachBand((outRows + kTile - 1) / kTile,
                [&](int firstTile, int endTile) {
                    for (int ty = firstTile; ty < endTile; ++ty) {
                        const int y0 = ty * kTile;
                        const int y1 = std::min(outRows, y0 + kTile);
                        for (int x0 = 0; x0 < outColumns; x0 += kTile)
                            turnTile(source, out, y0, y1, x0, std::min(outColumns, x0 + kTile));
                    }
                },
                1);
    return out;
}

void turnQuarters(Image& image, int quarters)
{
    if (quarters == 0)
        return;
    if (quarters == 2) {
        mirrorImage(image, true, true);
        return;
    }
    Image turned = image.isTrueColour() ? turnQuarter<std::uint32_t>(image, quarters == 1)
                                        : turnQuarter<std::uint8_t>(image, quarters == 1);
    image.swap(turned);
}

// Bilinear weights run 0..128 in each direction (1/128 pixel, rounded to nearest).
constexpr int kWeightBits = 7;
constexpr unsigned kWeightOne = 1u << kWeightBits;
// Source coordinates along a row are exact in 32.32 fixed point (over 32767 steps the drift
// stays below 1e-5 pixel); the fast loop steps spans of kSpan pixels in 16.16, restarted
// from the exact value at each span.
constexpr int kFractionBits = 32;
constexpr int kSpanFractionBits = 16;
constexpr int kSpan = 64;

// Bilinear blend of four pixels, two channels at a time in the 16-bit halves of a word
// (red and blue, green and the unused top byte). Rounding: to nearest after the horizontal
// pass and again after the vertical one, so within one level of the exact blend at these
// weights. Every product stays below 2^15, so the halves never carry into each other.
[[gnu::always_inline]] inline Rgb blendPacked(Rgb p00, Rgb p01, Rgb p10, Rgb p11, unsigned wx, unsigned wy)
{
    constexpr std::uint32_t mask = 0x00FF00FFu;
    constexpr std::uint32_t half = 0x00400040u;
    const std::uint32_t ax = kWeightOne - wx, ay = kWeightOne - wy;
    const std::uint32_t rbTop = (((p00 & mask) * ax + (p01 & mask) * wx + half) >> kWeightBits) & mask;
    const std::uint32_t gTop =
        ((((p00 >> 8) & mask) * ax + ((p01 >> 8) & mask) * wx + half) >> kWeightBits) & mask;
    const std::uint32_t rbBottom = (((p10 & mask) * ax + (p11 & mask) * wx + half) >> kWeightBits) & mask;
    const std::uint32_t gBottom =
        ((((p10 >> 8) & mask) * ax + ((p11 >> 8) & mask) * wx + half) >> kWeightBits) & mask;
    const std::uint32_t rb = ((rbTop * ay + rbBottom * wy + half) >> kWeightBits) & mask;
    const std::uint32_t g = ((gTop * ay + gBottom * wy + half) >> kWeightBits) & mask;
    return rb | (g << 8) | 0xFF000000u;
}

// One span of the fast loop: pixel k samples at (x + k * stepX, y + k * stepY) in 16.16,
// all four neighbours inside the source (the caller checked both ends of the span). Plain
// integer code over independent pixels, so the compiler vectorises it, with gathers where
// the processor has them.
[[gnu::always_inline]] inline void bilinearSpanBody(const Rgb* __restrict source, int stride,
                                                    Rgb* __restrict out, int count, int x, int y, int stepX,
                                                    int stepY)
{
    for (int k = 0; k < count; ++k) {
        const int sx = x + k * stepX, sy = y + k * stepY;
        const int at = (sy >> kSpanFractionBits) * stride + (sx >> kSpanFractionBits);
        // The 8 bits below the integer part, rounded to 7: 0..128.
        const unsigned wx = ((static_cast<unsigned>(sx) >> (kSpanFractionBits - 8) & 255u) + 1u) >> 1;
        const unsigned wy = ((static_cast<unsigned>(sy) >> (kSpanFractionBits - 8) & 255u) + 1u) >> 1;
        out[k] =
            blendPacked(source[at], source[at + 1], source[at + stride], source[at + stride + 1], wx, wy);
    }
}

// Without gathers the vectorised loop is slower than the scalar one, so it stays scalar.
[[gnu::optimize("no-tree-vectorize")]] void bilinearSpanPlain(const Rgb* source, int stride, Rgb* out,
                                                              int count, int x, int y, int stepX, int stepY)
{
    bilinearSpanBody(source, stride, out, count, x, y, stepX, stepY);
}

// AVX2 with gather instructions: 8 pixels at a time.
VASK_TARGET_AVX2_GATHER void bilinearSpanAvx2(const Rgb* source, int stride, Rgb* out, int count, int x,
                                              int y, int stepX, int stepY)
{
    bilinearSpanBody(source, stride, out, count, x, y, stepX, stepY);
}

std::int64_t toFixed(double v)
{
    return std::llround(v * double(std::int64_t(1) << kFractionBits));
}

// Narrows [first, last] to the x where low <= start + x * step <= high.
void clip(double start, double step, double low, double high, double& first, double& last)
{
    if (std::abs(step) < 1e-12) {
        if (start < low || start > high) {
            first = 1;
            last = 0;
        }
        return;
    }
    double a = (low - start) / step;
    double b = (high - start) / step;
    if (a > b)
        std::swap(a, b);
    first = std::max(first, a);
    last = std::min(last, b);
}

// Where the output pixels of one row look in the source: source x = startX + x' * stepX, in
// source pixel-centre coordinates (pixel i's centre at i), likewise y.
struct RowMapping {
    double startX;
    double startY;
    double stepX;
    double stepY;
};

// Output pixels whose four bilinear neighbours all lie inside come from the fast loop;
// those that reach past an edge blend with the fill; the rest are fill.
void rotateRowTrueColour(const Image& in, Rgb* out, int outWidth, const RowMapping& m, Rgb fill)
{
    const int w = in.width();
    const int h = in.height();
    // Touched: any neighbour inside. Padded by a pixel: the careful path sorts out the rest.
    double touchFirst = 0, touchLast = outWidth - 1;
    clip(m.startX, m.stepX, -1.0, w, touchFirst, touchLast);
    clip(m.startY, m.stepY, -1.0, h, touchFirst, touchLast);
    int t0 = 0, t1 = 0;
    if (touchFirst <= touchLast) {
        t0 = static_cast<int>(std::clamp(std::floor(touchFirst) - 1.0, 0.0, double(outWidth)));
        t1 = static_cast<int>(std::clamp(std::ceil(touchLast) + 2.0, double(t0), double(outWidth)));
    }
    int i0 = t0, i1 = t0;
    if (w >= 2 && h >= 2) {
        // A thousandth of a pixel inside the edges: far more than the fixed-point steps drift.
        constexpr double margin = 1e-3;
        double first = 0, last = outWidth - 1;
        clip(m.startX, m.stepX, margin, w - 1 - margin, first, last);
        clip(m.startY, m.stepY, margin, h - 1 - margin, first, last);
        if (first <= last) {
            i0 = static_cast<int>(std::clamp(std::ceil(first), double(t0), double(t1)));
            i1 = static_cast<int>(std::clamp(std::floor(last) + 1.0, double(i0), double(t1)));
        }
    }
    // Pixel x samples at fx0 + x * stepX in 32.32 fixed point. The fast span keeps only
    // pixels whose four neighbours are inside; it is linear, so checking both ends proves
    // every pixel between.
    const std::int64_t fx0 = toFixed(m.startX), fy0 = toFixed(m.startY);
    const std::int64_t stepX = toFixed(m.stepX), stepY = toFixed(m.stepY);
    const std::int64_t limitX = std::int64_t(w - 1) << kFractionBits;
    const std::int64_t limitY = std::int64_t(h - 1) << kFractionBits;
    auto inside = [&](int x) {
        const std::int64_t fx = fx0 + x * stepX, fy = fy0 + x * stepY;
        return fx >= 0 && fy >= 0 && fx < limitX && fy < limitY;
    };
    while (i0 < i1 && !inside(i0))
        ++i0;
    while (i1 > i0 && !inside(i1 - 1))
        --i1;

    std::fill(out, out + t0, fill);
    std::fill(out + t1, out + outWidth, fill);
    auto pixel = [&](int x, int y) { return (x >= 0 && y >= 0 && x < w && y < h) ? in.rgbRow(y)[x] : fill; };
    auto careful = [&](int x) {
        const double sx = m.startX + x * m.stepX;
        const double sy = m.startY + x * m.stepY;
        const double fx = std::floor(sx), fy = std::floor(sy);
        if (fx < -1 || fy < -1 || fx >= w || fy >= h) {
            out[x] = fill;
            return;
        }
        const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
        const auto wx = static_cast<unsigned>(std::lround((sx - fx) * kWeightOne));
        const auto wy = static_cast<unsigned>(std::lround((sy - fy) * kWeightOne));
        out[x] =
            blendPacked(pixel(x0, y0), pixel(x0 + 1, y0), pixel(x0, y0 + 1), pixel(x0 + 1, y0 + 1), wx, wy);
    };
    for (int x = t0; x < i0; ++x)
        careful(x);
    for (int x = i1; x < t1; ++x)
        careful(x);

    // Spans in 16.16: the coordinates inside stay below 32767 x 65536 < 2^31, and so does
    // the pixel index y x stride + x.
    constexpr int down = kFractionBits - kSpanFractionBits;
    constexpr std::int64_t round = std::int64_t(1) << (down - 1);
    const int spanStepX = static_cast<int>((stepX + round) >> down);
    const int spanStepY = static_cast<int>((stepY + round) >> down);
    const std::int64_t spanLimitX = std::int64_t(w - 1) << kSpanFractionBits;
    const std::int64_t spanLimitY = std::int64_t(h - 1) << kSpanFractionBits;
    const Rgb* source = in.rgbRow(0);
    const int stride = static_cast<int>(in.stride() / sizeof(Rgb));
    // One output row down, the source point moves by (-sin, cos).
    const std::int64_t nextRowX =
        -static_cast<std::int64_t>(std::llround(m.stepY * (1 << kSpanFractionBits)));
    const std::int64_t nextRowY = static_cast<std::int64_t>(std::llround(m.stepX * (1 << kSpanFractionBits)));
    const std::int64_t lastPixel = std::int64_t(h - 1) * stride + (w - 1);
    const bool avx2 = cpuHasAvx2();
    for (int x = i0; x < i1; x += kSpan) {
        const int count = std::min(kSpan, i1 - x);
        const std::int64_t sx = (fx0 + x * stepX + round) >> down;
        const std::int64_t sy = (fy0 + x * stepY + round) >> down;
        const std::int64_t lastX = sx + std::int64_t(count - 1) * spanStepX;
        const std::int64_t lastY = sy + std::int64_t(count - 1) * spanStepY;
        if (std::min(sx, lastX) < 0 || std::min(sy, lastY) < 0 || std::max(sx, lastX) >= spanLimitX ||
            std::max(sy, lastY) >= spanLimitY) {
            // Rounding to 16.16 stepped past an edge: this span takes the careful path.
            for (int k = x; k < x + count; ++k)
                careful(k);
            continue;
        }
        // Later output rows read mostly the same source lines and one row of new ones each,
        // in a diagonal order the hardware does not foresee: ask for them now.
        for (int k = 0; k < count; k += 4) {
            const std::int64_t ax = sx + std::int64_t(k) * spanStepX + nextRowX;
            const std::int64_t ay = sy + std::int64_t(k) * spanStepY + nextRowY;
            const std::int64_t at = std::clamp<std::int64_t>(ay >> kSpanFractionBits, 0, h - 1) * stride +
                                    std::clamp<std::int64_t>(ax >> kSpanFractionBits, 0, w - 1);
            __builtin_prefetch(source + at);
            __builtin_prefetch(source + std::min<std::int64_t>(at + stride, lastPixel));
        }
        if (avx2) {
            bilinearSpanAvx2(source, stride, out + x, count, static_cast<int>(sx), static_cast<int>(sy),
                             spanStepX, spanStepY);
            continue;
        }
        bilinearSpanPlain(source, stride, out + x, count, static_cast<int>(sx), static_cast<int>(sy),
                          spanStepX, spanStepY);
    }
}

// Palette pictures take the nearest source pixel, so indices stay indices.
void rotateRowIndices(const Image& in, std::uint8_t* out, int outWidth, const RowMapping& m,
                      std::uint8_t fill)
{
    const unsigned w = static_cast<unsigned>(in.width());
    const unsigned h = static_cast<unsigned>(in.height());
    const std::int64_t half = std::int64_t(1) << (kFractionBits - 1);
    std::int64_t fx = toFixed(m.startX) + half;
    std::int64_t fy = toFixed(m.startY) + half;
    const std::int64_t stepX = toFixed(m.stepX);
    const std::int64_t stepY = toFixed(m.stepY);
    for (int x = 0; x < outWidth; ++x, fx += stepX, fy += stepY) {
        const auto ix = static_cast<unsigned>(static_cast<int>(fx >> kFractionBits));
        const auto iy = static_cast<unsigned>(static_cast<int>(fy >> kFractionBits));
        out[x] = (ix < w && iy < h) ? in.row(static_cast<int>(iy))[ix] : fill;
    }
}

std::uint8_t nearestEntry(const std::vector<Rgb>& palette, Rgb colour)
{
    int best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        const long dr = long(redOf(palette[i])) - long(redOf(colour));
        const long dg = long(greenOf(palette[i])) - long(greenOf(colour));
        const long db = long(blueOf(palette[i])) - long(blueOf(colour));
        const long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return static_cast<std::uint8_t>(best);
}

void rotateFreely(Image& image, double degrees, Rgb fill)
{
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const int w = image.width();
    const int h = image.height();
    // The rotated bounding box; the small allowance keeps exact sides from growing by one.
    const double exactWidth = std::abs(w * c) + std::abs(h * s);
    const double exactHeight = std::abs(w * s) + std::abs(h * c);
    if (exactWidth > Image::kMaxSide + 1 || exactHeight > Image::kMaxSide + 1 ||
        std::ceil(exactWidth - 1e-7) > Image::kMaxSide || std::ceil(exactHeight - 1e-7) > Image::kMaxSide)
        throw ImageError("Rotating a picture of " + std::to_string(w) + " x " + std::to_string(h) +
                         " pixels by this angle would make it larger than " +
                         std::to_string(Image::kMaxSide) + " pixels on a side.");
    const int outWidth = std::max(1, static_cast<int>(std::ceil(exactWidth - 1e-7)));
    const int outHeight = std::max(1, static_cast<int>(std::ceil(exactHeight - 1e-7)));

    Image out(outWidth, outHeight, image.depth());
    out.setPalette(image.palette());
    fill |= 0xFF000000u;
    const std::uint8_t fillIndex = image.isTrueColour() ? 0 : nearestEntry(image.palette(), fill);

    // Output pixel centre (x' + 0.5, y' + 0.5) relative to the output centre is (u, v); on a
    // screen with y downwards an anticlockwise turn maps source (x, y) to
    // (x cos + y sin, -x sin + y cos), so the source point is (u cos - v sin, u sin + v cos).
    const double u0 = 0.5 - outWidth / 2.0;
    forEachBand(outHeight, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const double v = y + 0.5 - outHeight / 2.0;
            RowMapping m;
            m.startX = w / 2.0 + u0 * c - v * s - 0.5;
            m.startY = h / 2.0 + u0 * s + v * c - 0.5;
            m.stepX = c;
            m.stepY = s;
            if (image.isTrueColour())
                rotateRowTrueColour(image, out.rgbRow(y), outWidth, m, fill);
            else
                rotateRowIndices(image, out.row(y), outWidth, m, fillIndex);
        }
    });
    image.swap(out);
}

} // namespace

void rotateImage(Image& image, double degrees, Rgb fill)
{
    if (!std::isfinite(degrees))
        throw ImageError("A picture can only be rotated by a finite number of degrees.");
    if (image.isNull())
        return;
    const double turn = std::fmod(degrees, 360.0); // exact, so 450 becomes 90
    const double quarters = turn / 90.0;
    const double nearest = std::round(quarters);
    if (std::abs(quarters - nearest) < 1e-9) {
        turnQuarters(image, ((static_cast<int>(nearest) % 4) + 4) % 4);
        return;
    }
    rotateFreely(image, turn, fill);
}

} // namespace vask
