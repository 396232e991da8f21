#include "engine/ops/filter/matrix_filter.h"

#include "engine/image/image_error.h"
#include "engine/image/true_colour.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string>
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

// Straight from the definition: clamp-to-edge neighbourhood, a double division rounded to
// nearest with halves upwards, offset, clamp. Slow and plain on purpose.
Image referenceFilter(const Image& in, const Kernel& k, int scale, int norm, int offset)
{
    const int n = k.size, r = n / 2;
    long long kernelSum = 0;
    for (int i = 0; i < n * n; ++i)
        kernelSum += k.values[i];
    const double divisor = norm > 0 ? norm : (kernelSum != 0 ? double(kernelSum) : 1.0);
    Image out(in.width(), in.height(), 24);
    for (int y = 0; y < in.height(); ++y)
        for (int x = 0; x < in.width(); ++x) {
            unsigned channels[3];
            for (int ch = 0; ch < 3; ++ch) {
                long long sum = 0;
                for (int dy = -r; dy <= r; ++dy)
                    for (int dx = -r; dx <= r; ++dx) {
                        const int sx = std::clamp(x + dx, 0, in.width() - 1);
                        const int sy = std::clamp(y + dy, 0, in.height() - 1);
                        const Rgb p = in.pixelColour(sx, sy);
                        sum += static_cast<long long>(k.at(dy + r, dx + r)) * ((p >> (16 - 8 * ch)) & 0xFF);
                    }
                const double v = std::floor(double(sum) * scale / divisor + 0.5) + offset;
                channels[ch] = static_cast<unsigned>(std::clamp(v, 0.0, 255.0));
            }
            out.rgbRow(y)[x] = packRgb(channels[0], channels[1], channels[2]);
        }
    return out;
}

struct FilterCase {
    std::string name;
    Kernel kernel;
    int scale;
    int norm;
    int offset;
};

void PrintTo(const FilterCase& c, std::ostream* os)
{
    *os << c.name;
}

const std::vector<FilterCase>& filterCases()
{
    static const std::vector<FilterCase> cases = {
        {"Identity", kernelOf(3, {0, 0, 0, 0, 1, 0, 0, 0, 0}), 1, 0, 0},
        {"Box3", kernelOf(3, {1, 1, 1, 1, 1, 1, 1, 1, 1}), 1, 0, 0},
        {"Binomial3", kernelOf(3, {1, 2, 1, 2, 4, 2, 1, 2, 1}), 1, 0, 0},
        {"Sharpen3", kernelOf(3, {-1, -1, -1, -1, 9, -1, -1, -1, -1}), 1, 0, 0},
        {"LaplacianSumZeroWithOffset", kernelOf(3, {0, -1, 0, -1, 4, -1, 0, -1, 0}), 1, 0, 128},
        {"LaplacianSumZeroScaled", kernelOf(3, {-1, -1, -1, -1, 8, -1, -1, -1, -1}), 3, 0, 0},
        {"NegativeSumUsedAsDivisor", kernelOf(3, {1, -2, 1, -2, -3, -2, 1, -2, 1}), 1, 0, 200},
        {"NormZeroOrBelowUsesSum", kernelOf(3, {1, 2, 1, 2, 3, 2, 1, 2, 1}), 2, -5, 0},
        {"NormAndScale", kernelOf(3, {3, -1, 2, 0, 5, -4, 1, 1, 2}), 7, 13, 10},
        {"NegativeOffset", kernelOf(3, {1, 2, 1, 2, 4, 2, 1, 2, 1}), 3, 16, -100},
        {"NegativeScale", kernelOf(3, {1, 1, 1, 1, 1, 1, 1, 1, 1}), -1, 9, 255},
        {"EvenDivisorHalves", kernelOf(3, {0, 1, 0, 1, 0, 1, 0, 1, 0}), 1, 8, 0},
        {"LargeNorm", kernelOf(3, {10, 20, 10, 20, 40, 20, 10, 20, 10}), 1, 1000, 3},
        {"HugeOffsetSaturates", kernelOf(3, {1, 1, 1, 1, 1, 1, 1, 1, 1}), 1, 0, 100000},
        {"HugeNegativeOffsetSaturates", kernelOf(3, {1, 1, 1, 1, 1, 1, 1, 1, 1}), 1, 0, -100000},
        {"HugeWeightsNeedWideSums", kernelOf(3, {2000000, -1000000, 3, 0, 5000000, 0, -7, 1, 1000000}), 1, 0,
         0},
        {"HugeScale", kernelOf(3, {1, 0, -1, 2, 0, -2, 1, 0, -1}), 1000000, 0, 128},
        {"Binomial5",
         kernelOf(5, {1, 4, 6, 4, 1, 4, 16, 24, 16, 4, 6, 24, 36, 24, 6, 4, 16, 24, 16, 4, 1, 4, 6, 4, 1}), 1,
         0, 0},
        {"Mixed5",
         kernelOf(5, {-1, 0, 2, 0, -1, 3, -2, 5, -2, 3, 0, 1, 12, 1, 0, 3, -2, 5, -2, 3, -1, 0, 2, 0, -1}), 2,
         11, -7},
        {"Edge5SumZero", kernelOf(5, {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 24,
                                      -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}),
         1, 0, 64},
    };
    return cases;
}

class MatrixFilterReference : public ::testing::TestWithParam<FilterCase> {};

TEST_P(MatrixFilterReference, MatchesThePlainConvolutionOnNoiseOfOddSizes)
{
    const FilterCase& c = GetParam();
    const int sizes[][2] = {{1, 1}, {2, 3}, {3, 2}, {17, 5}, {64, 33}, {7, 150}};
    std::uint32_t seed = 11;
    for (const auto& size : sizes) {
        const Image original = test::noisePicture(size[0], size[1], seed++);
        const Image expected = referenceFilter(original, c.kernel, c.scale, c.norm, c.offset);
        Image filtered = original;
        matrixFilter(filtered, c.kernel, c.scale, c.norm, c.offset);
        ASSERT_EQ(filtered.depth(), 24);
        EXPECT_EQ(test::maxChannelDifference(filtered, expected), 0) << size[0] << " x " << size[1];
        bool alphaSet = true;
        for (int y = 0; y < filtered.height(); ++y)
            for (int x = 0; x < filtered.width(); ++x)
                alphaSet = alphaSet && (filtered.rgbRow(y)[x] >> 24) == 0xFF;
        EXPECT_TRUE(alphaSet);
    }
}

INSTANTIATE_TEST_SUITE_P(Kernels, MatrixFilterReference, ::testing::ValuesIn(filterCases()),
                         [](const auto& info) { return info.param.name; });

TEST(MatrixFilter, TallPictureSplitIntoManyBandsMatchesTheReferenceAcrossBandBorders)
{
    // Enough rows for every core to take several bands, each overwriting rows the next reads.
    const Image original = test::noisePicture(33, 611, 5);
    for (const FilterCase& c : {filterCases()[3], filterCases()[17], filterCases()[18]}) {
        Image filtered = original;
        matrixFilter(filtered, c.kernel, c.scale, c.norm, c.offset);
        EXPECT_EQ(test::maxChannelDifference(filtered,
                                             referenceFilter(original, c.kernel, c.scale, c.norm, c.offset)),
                  0)
            << c.name;
    }
}

TEST(MatrixFilter, EveryKernelSumAndEveryScaleMatchOnABroadSweep)
{
    // Random small kernels and rules: the fast arithmetic must agree with the plain one.
    const Image original = test::noisePicture(9, 7, 99);
    std::uint32_t state = 12345;
    auto next = [&](int range) {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 8) % static_cast<unsigned>(2 * range + 1)) - range;
    };
    for (int trial = 0; trial < 300; ++trial) {
        Kernel k;
        k.size = trial % 2 ? 5 : 3;
        for (int i = 0; i < k.size * k.size; ++i)
            k.values[i] = next(trial % 3 == 0 ? 3 : 40);
        const int scale = next(20);
        const int norm = next(60);
        const int offset = next(300);
        Image filtered = original;
        matrixFilter(filtered, k, scale, norm, offset);
        ASSERT_EQ(test::maxChannelDifference(filtered, referenceFilter(original, k, scale, norm, offset)), 0)
            << "trial " << trial << " scale " << scale << " norm " << norm << " offset " << offset;
    }
}

TEST(MatrixFilter, SizesOtherThanThreeAndFiveAreRefused)
{
    Image picture = test::noisePicture(4, 4, 1);
    for (int size : {0, 1, 2, 4, 7}) {
        Kernel k;
        k.size = size;
        EXPECT_THROW(matrixFilter(picture, k, 1, 0, 0), ImageError) << size;
    }
}

class MatrixFilterPalette : public ::testing::TestWithParam<int> {};

TEST_P(MatrixFilterPalette, KeepsDepthAndPaletteAndPicksTheNearestEntryToTheTrueColourResult)
{
    const int depth = GetParam();
    const Image original = test::palettePicture(23, 19, depth, 7u + depth);
    const Kernel k = kernelOf(3, {1, 2, 1, 2, 4, 2, 1, 2, 1});
    const Image expected = referenceFilter(toTrueColour(original), k, 1, 0, 0);
    Image filtered = original;
    matrixFilter(filtered, k, 1, 0, 0);
    ASSERT_EQ(filtered.depth(), depth);
    EXPECT_EQ(filtered.palette(), original.palette());
    const auto& palette = original.palette();
    auto distance = [](Rgb a, Rgb b) {
        const int dr = int(redOf(a)) - int(redOf(b)), dg = int(greenOf(a)) - int(greenOf(b)),
                  db = int(blueOf(a)) - int(blueOf(b));
        return dr * dr + dg * dg + db * db;
    };
    for (int y = 0; y < filtered.height(); ++y)
        for (int x = 0; x < filtered.width(); ++x) {
            const int index = filtered.pixelIndex(x, y);
            ASSERT_LT(index, Image::paletteSizeFor(depth));
            const Rgb want = expected.pixelColour(x, y);
            int best = distance(palette[0], want);
            for (Rgb entry : palette)
                best = std::min(best, distance(entry, want));
            ASSERT_EQ(distance(palette[index], want), best) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(Depths, MatrixFilterPalette, ::testing::Values(1, 4, 8));

TEST(MatrixFilter, GreyRampPictureFiltersLikeItsTrueColourCopy)
{
    Image grey(31, 70, 8);
    const Image noise = test::noisePicture(31, 70, 3);
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            grey.row(y)[x] = static_cast<std::uint8_t>(noise.rgbRow(y)[x] & 0xFF);
    const Kernel k =
        kernelOf(5, {0, 1, 2, 1, 0, 1, -2, 3, -2, 1, 2, 3, 9, 3, 2, 1, -2, 3, -2, 1, 0, 1, 2, 1, 0});
    const Image expected = referenceFilter(toTrueColour(grey), k, 1, 0, 5);
    matrixFilter(grey, k, 1, 0, 5);
    ASSERT_EQ(grey.depth(), 8);
    EXPECT_EQ(grey.palette(), greyPalette(8));
    EXPECT_EQ(test::maxChannelDifference(grey, expected), 0);
}

} // namespace
} // namespace vask
