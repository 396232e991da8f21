#include "engine/ops/adjust/histogram.h"

#include "engine/image/image_error.h"
#include "engine/image/true_colour.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <numeric>

namespace vask {
namespace {

// Counted the plain way, one pixelColour at a time.
Histogram countedByHand(const Image& image, int channel)
{
    Histogram histogram{};
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = image.pixelColour(x, y);
            const unsigned levels[4] = {lumaOf(p), redOf(p), greenOf(p), blueOf(p)};
            ++histogram[levels[channel]];
        }
    return histogram;
}

TEST(ComputeHistogram, ThreeKnownPixels)
{
    Image image(3, 1, 24);
    image.rgbRow(0)[0] = packRgb(255, 0, 0);
    image.rgbRow(0)[1] = packRgb(0, 255, 0);
    image.rgbRow(0)[2] = packRgb(10, 20, 30);
    const Histogram luminance = computeHistogram(image, 0);
    // 0.299 x 255 = 76.2, 0.587 x 255 = 149.7, 2.99 + 11.74 + 3.42 = 18.15
    EXPECT_EQ(luminance[76], 1u);
    EXPECT_EQ(luminance[150], 1u);
    EXPECT_EQ(luminance[18], 1u);
    const Histogram red = computeHistogram(image, 1);
    EXPECT_EQ(red[255], 1u);
    EXPECT_EQ(red[0], 1u);
    EXPECT_EQ(red[10], 1u);
    const Histogram blue = computeHistogram(image, 3);
    EXPECT_EQ(blue[0], 2u);
    EXPECT_EQ(blue[30], 1u);
}

class HistogramChannelTest : public ::testing::TestWithParam<int> {};

INSTANTIATE_TEST_SUITE_P(LuminanceRedGreenBlue, HistogramChannelTest, ::testing::Values(0, 1, 2, 3));

TEST_P(HistogramChannelTest, MatchesAPlainCountAtOddSizes)
{
    for (int width : {1, 3, 37, 1001}) {
        const Image image = test::noisePicture(width, 19, 3u + width);
        EXPECT_EQ(computeHistogram(image, GetParam()), countedByHand(image, GetParam())) << "width " << width;
    }
}

TEST_P(HistogramChannelTest, LargePictureCountsEveryPixelOnce)
{
    const Image image = test::gradientPicture(2999, 1001);
    const Histogram histogram = computeHistogram(image, GetParam());
    EXPECT_EQ(std::accumulate(histogram.begin(), histogram.end(), std::uint64_t(0)), 2999u * 1001u);
    EXPECT_EQ(histogram, countedByHand(image, GetParam()));
}

TEST_P(HistogramChannelTest, PalettePicturesCountThroughThePalette)
{
    for (int depth : {1, 4, 8}) {
        const Image image = test::palettePicture(53, 17, depth, 6u);
        EXPECT_EQ(computeHistogram(image, GetParam()), computeHistogram(toTrueColour(image), GetParam()))
            << "depth " << depth;
    }
}

TEST(ComputeHistogram, ChannelOutsideZeroToThreeIsRefused)
{
    const Image image = test::noisePicture(2, 2, 1u);
    EXPECT_THROW(computeHistogram(image, -1), ImageError);
    EXPECT_THROW(computeHistogram(image, 4), ImageError);
}

TEST(ComputeHistogram, EmptyPictureCountsNothing)
{
    EXPECT_EQ(computeHistogram(Image(), 0), Histogram{});
}

} // namespace
} // namespace vask
