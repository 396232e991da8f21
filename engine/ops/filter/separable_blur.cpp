#include "engine/ops/filter/separable_blur.h"

#include "engine/image/image_error.h"
#include "engine/image/pixel_memory.h"
#include "engine/ops/filter/in_place_bands.h"
#include "engine/parallel/bands.h"
#include "engine/parallel/cpu_dispatch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vask {
namespace {

// Arithmetic: the bytes of each 0xFFRRGGBB word are four independent channels. A horizontal
// sum is at most 255 x 16 and a vertical sum of those at most 65280, so with the rounding
// term (65408) every step fits 16 bits; the result (sum + 128) >> 8 is matrixFilter's
// nearest integer to sum / 256 with halves rounded up.
constexpr int kRadius = 2;
constexpr int kTaps = 5;
constexpr int kWeights[kTaps] = {1, 4, 6, 4, 1};

// Sums of one pixel whose neighbours reach past the row's ends, repeating the end pixels.
inline void edgeSums(const std::uint8_t* src, std::uint16_t* sums, int width, int x)
{
    for (int c = 0; c < 4; ++c) {
        int s = 0;
        for (int t = 0; t < kTaps; ++t)
            s += kWeights[t] * src[std::clamp(x + t - kRadius, 0, width - 1) * 4 + c];
        sums[x * 4 + c] = static_cast<std::uint16_t>(s);
    }
}

// One row's horizontal sums, byte channel by byte channel. Against the SSE2 copy, the whole
// blur takes about a tenth less time with the AVX2 copies and a quarter less with AVX-512.
VASK_VECTOR_CLONES void horizontalSums(const std::uint8_t* __restrict src, std::uint16_t* __restrict sums,
                                       int width)
{
    const int interiorEnd = std::max(kRadius, width - kRadius);
    for (int x = 0; x < std::min(kRadius, width); ++x)
        edgeSums(src, sums, width, x);
    // Pixels 2 .. width - 3 have all four neighbours inside the row.
    for (int i = kRadius * 4; i < interiorEnd * 4; ++i)
        sums[i] =
            static_cast<std::uint16_t>(src[i - 8] + src[i + 8] + 4 * (src[i - 4] + src[i + 4]) + 6 * src[i]);
    for (int x = interiorEnd; x < width; ++x)
        edgeSums(src, sums, width, x);
}

// One output row of `bytes` bytes from the horizontal sums of the five rows around it.
VASK_VECTOR_CLONES void verticalSums(const std::uint16_t* const* rows, std::uint8_t* __restrict out,
                                     int bytes)
{
    const std::uint16_t* __restrict r0 = rows[0];
    const std::uint16_t* __restrict r1 = rows[1];
    const std::uint16_t* __restrict r2 = rows[2];
    const std::uint16_t* __restrict r3 = rows[3];
    const std::uint16_t* __restrict r4 = rows[4];
    for (int i = 0; i < bytes; ++i) {
        const auto sum = static_cast<std::uint16_t>(r0[i] + r4[i] + 4 * (r1[i] + r3[i]) + 6 * r2[i] + 128);
        out[i] = static_cast<std::uint8_t>(sum >> 8);
    }
}

void blurInBands(Image& image)
{
    const int width = image.width();
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    const std::size_t sumsStride = (rowBytes * sizeof(std::uint16_t) + 63) & ~std::size_t(63);
    const std::size_t ringBytes = sumsStride * kTaps;

    InPlaceBands bands(image, kRadius, rowBytes);
    PixelScratch rings(ringBytes * static_cast<std::size_t>(bands.bandCount()));

    forEachBand(
        bands.bandCount(),
        [&](int firstBand, int endBand) {
            auto* ring = reinterpret_cast<std::uint16_t*>(rings.data() +
                                                          ringBytes * static_cast<std::size_t>(firstBand));
            for (int band = firstBand; band < endBand; ++band) {
                const int first = bands.bandStart(band);
                const int end = bands.bandStart(band + 1);
                auto sourceRow = [&](int y) { return bands.sourceRow(band, y); };
                // Row y (from first - 2, so y + kTaps >= 0) keeps its sums in slot y mod 5.
                auto sums = [&](int y) {
                    return ring +
                           sumsStride / sizeof(std::uint16_t) * static_cast<std::size_t>((y + kTaps) % kTaps);
                };
                auto horizontal = [&](int y) { horizontalSums(sourceRow(y), sums(y), width); };
                for (int y = first - kRadius; y < first + kRadius; ++y)
                    horizontal(y);
                for (int y = first; y < end; ++y) {
                    // Row y's own pixels were read two rows ago, so it may be overwritten now.
                    horizontal(y + kRadius);
                    const std::uint16_t* rows[kTaps];
                    for (int t = 0; t < kTaps; ++t)
                        rows[t] = sums(y - kRadius + t);
                    verticalSums(rows, image.row(y), static_cast<int>(rowBytes));
                }
            }
        },
        1);
}

} // namespace

void separableBinomialBlur(Image& image)
{
    if (image.isNull())
        return;
    if (!image.isTrueColour())
        throw ImageError("The separable blur takes 24-bit pictures only.");
    blurInBands(image);
}

} // namespace vask
