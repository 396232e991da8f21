#include "engine/ops/colour/greyscale.h"

#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vask {
namespace {

// Every 24-bit colour once: pixel (x, y) of a 4096 x 4096 picture is colour y * 4096 + x.
Image everyColourPicture()
{
    Image image(4096, 4096, 24);
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x)
            image.rgbRow(y)[x] = 0xFF000000u | static_cast<Rgb>(y * 4096 + x);
    return image;
}

TEST(GreyScaleImage, PrimariesTakeTheirWeights)
{
    Image image(5, 1, 24);
    const Rgb colours[5] = {packRgb(255, 0, 0), packRgb(0, 255, 0), packRgb(0, 0, 255),
                            packRgb(255, 255, 255), packRgb(0, 0, 0)};
    const unsigned greys[5] = {76, 150, 29, 255, 0};
    for (int x = 0; x < 5; ++x)
        image.rgbRow(0)[x] = colours[x];
    greyScaleImage(image);
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(image.rgbRow(0)[x], packRgb(greys[x], greys[x], greys[x])) << "pixel " << x;
}

TEST(GreyScaleImage, EveryColourBecomesItsLuminance)
{
    const Image original = everyColourPicture();
    Image image = original;
    greyScaleImage(image);
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const Rgb before = original.rgbRow(y)[x], after = image.rgbRow(y)[x];
            const double exact = 0.299 * redOf(before) + 0.587 * greenOf(before) + 0.114 * blueOf(before);
            ASSERT_EQ(after, packRgb(lumaOf(before), lumaOf(before), lumaOf(before))) << std::hex << before;
            ASSERT_LE(std::fabs(redOf(after) - exact), 0.51) << std::hex << before;
        }
}

TEST(GreyScaleImage, OddWidthsAndOnePixel)
{
    for (int width : {1, 2, 7, 33}) {
        const Image original = test::noisePicture(width, 3, 11u);
        Image image = original;
        greyScaleImage(image);
        ASSERT_EQ(image.depth(), 24);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x) {
                const unsigned grey = lumaOf(original.rgbRow(y)[x]);
                ASSERT_EQ(image.rgbRow(y)[x], packRgb(grey, grey, grey));
            }
    }
}

class GreyScalePaletteTest : public ::testing::TestWithParam<int> {};

TEST_P(GreyScalePaletteTest, PalettePictureKeepsDepthAndIndicesAndGetsGreyEntries)
{
    const int depth = GetParam();
    const Image original = test::palettePicture(11, 3, depth, 5u);
    Image image = original;
    greyScaleImage(image);
    ASSERT_EQ(image.depth(), depth);
    for (int i = 0; i < Image::paletteSizeFor(depth); ++i) {
        const unsigned grey = lumaOf(original.paletteEntry(i));
        EXPECT_EQ(image.paletteEntry(i), packRgb(grey, grey, grey));
    }
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelIndex(x, y), original.pixelIndex(x, y));
}

INSTANTIATE_TEST_SUITE_P(AllPaletteDepths, GreyScalePaletteTest, ::testing::Values(1, 4, 8));

TEST(GreyScaleImage, GreyingTwiceChangesNothingMore)
{
    Image once = test::gradientPicture(40, 20);
    greyScaleImage(once);
    Image twice = once;
    greyScaleImage(twice);
    EXPECT_TRUE(test::sameColours(once, twice));
}

} // namespace
} // namespace vask
