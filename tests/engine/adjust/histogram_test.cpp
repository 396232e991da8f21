#include "engine/ops/adjust/histogram.h"

#include "engine/image/image_error.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

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
    const auto expectLevels = [&](int channel, std::initializer_list<int> levels) {
        Histogram expected{};
        for (const int level : levels)
            ++expected[level];
        EXPECT_EQ(computeHistogram(image, channel), expected) << "channel " << channel;
    };
    expectLevels(0, {76, 150, 18}); // 0.299 x 255 = 76.2, 0.587 x 255 = 149.7, 2.99 + 11.74 + 3.42 = 18.15
    expectLevels(1, {255, 0, 10});
    expectLevels(2, {0, 255, 20});
    expectLevels(3, {0, 0, 30});
}

TEST(ComputeHistogram, EveryChannelMatchesAPlainCountAtOddAndLargeSizesAndEveryPaletteDepth)
{
    std::vector<Image> pictures = {test::gradientPicture(2999, 1001)};
    for (int width : {1, 3, 37, 1001})
        pictures.push_back(test::noisePicture(width, 19, 3u + width));
    for (int depth : {1, 4, 8})
        pictures.push_back(test::palettePicture(53, 17, depth, 6u));
    for (int channel = 0; channel < 4; ++channel)
        for (const Image& image : pictures)
            EXPECT_EQ(computeHistogram(image, channel), countedByHand(image, channel))
                << "channel " << channel << ", " << image.width() << " wide at " << image.depth() << " bits";
}

TEST(ComputeHistogram, EmptyPictureCountsNothingAndAChannelOutsideZeroToThreeIsRefused)
{
    EXPECT_EQ(computeHistogram(Image(), 0), Histogram{});
    const Image image = test::noisePicture(2, 2, 1u);
    EXPECT_THROW(computeHistogram(image, -1), ImageError);
    EXPECT_THROW(computeHistogram(image, 4), ImageError);
}

} // namespace
} // namespace vask
