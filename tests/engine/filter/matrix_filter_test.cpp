#include "engine/ops/filter/matrix_filter.h"

#include "engine/image/image_error.h"
#include "engine/image/true_colour.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numeric>
#include <random>
#include <utility>
#include <vector>

namespace vask {
namespace {

Kernel kernelOf(int size, std::initializer_list<int> values)
{
    Kernel k;
    k.size = size;
    std::copy(values.begin(), values.end(), k.values.begin());
    return k;
}

// From the definition: edge pixels repeated, a double division rounded half up, offset, clamp.
Image referenceFilter(const Image& in, const Kernel& k, int scale, int norm, int offset)
{
    const int r = k.size / 2;
    const long long kernelSum = std::accumulate(k.values.begin(), k.values.begin() + k.size * k.size, 0LL);
    const double divisor = norm > 0 ? norm : (kernelSum != 0 ? double(kernelSum) : 1.0);
    Image out(in.width(), in.height(), 24);
    for (int y = 0; y < in.height(); ++y)
        for (int x = 0; x < in.width(); ++x) {
            Rgb pixel = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                long long sum = 0;
                for (int dy = -r; dy <= r; ++dy)
                    for (int dx = -r; dx <= r; ++dx) {
                        const Rgb p = in.pixelColour(std::clamp(x + dx, 0, in.width() - 1),
                                                     std::clamp(y + dy, 0, in.height() - 1));
                        sum += static_cast<long long>(k.at(dy + r, dx + r)) * ((p >> shift) & 0xFF);
                    }
                const double v = std::floor(double(sum) * scale / divisor + 0.5) + offset;
                pixel |= static_cast<Rgb>(std::clamp(v, 0.0, 255.0)) << shift;
            }
            out.rgbRow(y)[x] = pixel;
        }
    return out;
}

// The filter against the reference, and every stored pixel's top byte set.
void expectLikeReference(const Image& original, const Kernel& k, int scale, int norm, int offset)
{
    Image filtered = original;
    matrixFilter(filtered, k, scale, norm, offset);
    ASSERT_EQ(filtered.depth(), 24);
    ASSERT_EQ(test::maxChannelDifference(filtered, referenceFilter(original, k, scale, norm, offset)), 0)
        << original.width() << " x " << original.height() << " scale " << scale << " norm " << norm
        << " offset " << offset;
    for (int y = 0; y < filtered.height(); ++y)
        for (int x = 0; x < filtered.width(); ++x)
            ASSERT_EQ(filtered.rgbRow(y)[x] >> 24, 0xFFu);
}

TEST(MatrixFilter, NamedKernelsMatchThePlainConvolutionOnNoiseOfOddSizesAndAcrossBandBorders)
{
    const struct {
        const char* name;
        Kernel kernel;
        int scale, norm, offset;
    } cases[] = {
        {"identity", kernelOf(3, {0, 0, 0, 0, 1, 0, 0, 0, 0}), 1, 0, 0},
        {"binomial", kernelOf(3, {1, 2, 1, 2, 4, 2, 1, 2, 1}), 1, 0, 0},
        {"sharpen", kernelOf(3, {-1, -1, -1, -1, 9, -1, -1, -1, -1}), 1, 0, 0},
        {"sum zero with offset", kernelOf(3, {0, -1, 0, -1, 4, -1, 0, -1, 0}), 1, 0, 128},
        {"even divisor halves", kernelOf(3, {0, 1, 0, 1, 0, 1, 0, 1, 0}), 1, 8, 0},
        {"large norm", kernelOf(3, {10, 20, 10, 20, 40, 20, 10, 20, 10}), 1, 1000, 3},
        {"huge offset", kernelOf(3, {1, 1, 1, 1, 1, 1, 1, 1, 1}), 1, 0, 100000},
        {"huge negative offset", kernelOf(3, {1, 1, 1, 1, 1, 1, 1, 1, 1}), 1, 0, -100000},
        {"huge weights need wide sums", kernelOf(3, {2000000, -1000000, 3, 0, 5000000, 0, -7, 1, 1000000}), 1,
         0, 0},
        {"huge scale", kernelOf(3, {1, 0, -1, 2, 0, -2, 1, 0, -1}), 1000000, 0, 128},
        {"binomial 5",
         kernelOf(5, {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1}), 1,
         0, 0},
        {"edge 5 sum zero", kernelOf(5, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 24,
                                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}),
         1, 0, 64},
    };
    // 33 x 611 gives every core several bands, each overwriting rows the next one reads.
    const std::pair<int, int> sizes[] = {{1, 1}, {2, 3}, {3, 2}, {17, 5}, {64, 33}, {7, 150}, {33, 611}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::uint32_t seed = 11;
        for (const auto& [width, height] : sizes)
            expectLikeReference(test::noisePicture(width, height, seed++), c.kernel, c.scale, c.norm,
                                c.offset);
    }
}

TEST(MatrixFilter, RandomKernelsAndRulesMatchThePlainConvolutionAndOnlySizesThreeAndFiveAreTaken)
{
    // Small and large weights, every sign of sum, scale, norm and offset, on odd sizes.
    std::mt19937 random(12345);
    auto next = [&](int range) { return int(random() % unsigned(2 * range + 1)) - range; };
    for (int trial = 0; trial < 150; ++trial) {
        Kernel k;
        k.size = trial % 2 ? 5 : 3;
        for (int i = 0; i < k.size * k.size; ++i)
            k.values[i] = next(trial % 3 == 0 ? 3 : 40);
        const int scale = next(20), norm = next(60), offset = next(300);
        expectLikeReference(test::noisePicture(1 + trial % 17, 1 + trial % 11, trial), k, scale, norm,
                            offset);
    }
    Image picture = test::noisePicture(4, 4, 1);
    for (int size : {0, 1, 2, 4, 7})
        EXPECT_THROW(matrixFilter(picture, kernelOf(size, {}), 1, 0, 0), ImageError) << size;
}

TEST(MatrixFilter, PalettePicturesKeepDepthAndPaletteAndTakeTheEntryNearestToTheTrueColourResult)
{
    auto distance = [](Rgb a, Rgb b) {
        const int dr = int(redOf(a)) - int(redOf(b)), dg = int(greenOf(a)) - int(greenOf(b)),
                  db = int(blueOf(a)) - int(blueOf(b));
        return dr * dr + dg * dg + db * db;
    };
    const Kernel k =
        kernelOf(5, {0, 1, 2, 1, 0, 1, -2, 3, -2, 1, 2, 3, 9, 3, 2, 1, -2, 3, -2, 1, 0, 1, 2, 1, 0});
    for (int depth : {1, 4, 8, 0}) {
        // 0 stands for an 8-bit grey ramp, filtered directly: its nearest entry is exact.
        Image original = test::palettePicture(23, 70, depth ? depth : 8, 7u + depth);
        if (depth == 0)
            original.setPalette(greyPalette(8));
        const Image expected = referenceFilter(toTrueColour(original), k, 1, 0, 5);
        const auto& palette = original.palette();
        Image filtered = original;
        matrixFilter(filtered, k, 1, 0, 5);
        ASSERT_EQ(filtered.depth(), original.depth());
        EXPECT_EQ(filtered.palette(), palette);
        for (int y = 0; y < filtered.height(); ++y)
            for (int x = 0; x < filtered.width(); ++x) {
                ASSERT_LT(filtered.pixelIndex(x, y), int(palette.size()));
                const Rgb want = expected.pixelColour(x, y);
                int best = distance(palette[0], want);
                for (Rgb entry : palette)
                    best = std::min(best, distance(entry, want));
                ASSERT_EQ(distance(filtered.pixelColour(x, y), want), best)
                    << depth << " bits at " << x << "," << y;
            }
    }
}

} // namespace
} // namespace vask
