#include "engine/ops/colour/negate.h"

#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

TEST(NegateImage, KnownColoursBecomeTheirComplements)
{
    Image image(3, 1, 24);
    image.rgbRow(0)[0] = packRgb(0, 0, 0);
    image.rgbRow(0)[1] = packRgb(10, 200, 255);
    image.rgbRow(0)[2] = packRgb(128, 127, 1);
    negateImage(image);
    EXPECT_EQ(image.rgbRow(0)[0], packRgb(255, 255, 255));
    EXPECT_EQ(image.rgbRow(0)[1], packRgb(245, 55, 0));
    EXPECT_EQ(image.rgbRow(0)[2], packRgb(127, 128, 254));
}

TEST(NegateImage, TwiceRestoresTheOriginalAtOddWidths)
{
    for (int width : {1, 3, 17, 63, 65}) {
        const Image original = test::noisePicture(width, 5, 7u + width);
        Image image = original;
        negateImage(image);
        EXPECT_FALSE(test::sameColours(image, original));
        negateImage(image);
        EXPECT_TRUE(test::sameColours(image, original)) << "width " << width;
    }
}

TEST(NegateImage, EveryChannelBecomes255MinusItself)
{
    const Image original = test::gradientPicture(31, 9);
    Image image = original;
    negateImage(image);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb before = original.rgbRow(y)[x], after = image.rgbRow(y)[x];
            ASSERT_EQ(redOf(after), 255 - redOf(before));
            ASSERT_EQ(greenOf(after), 255 - greenOf(before));
            ASSERT_EQ(blueOf(after), 255 - blueOf(before));
            ASSERT_EQ(after >> 24, 0xFFu);
        }
}

class NegatePaletteTest : public ::testing::TestWithParam<int> {};

TEST_P(NegatePaletteTest, PalettePictureNegatesItsPaletteAndKeepsItsIndices)
{
    const int depth = GetParam();
    const Image original = test::palettePicture(9, 4, depth, 3u);
    Image image = original;
    negateImage(image);
    ASSERT_EQ(image.depth(), depth);
    for (int i = 0; i < Image::paletteSizeFor(depth); ++i)
        EXPECT_EQ(image.paletteEntry(i), original.paletteEntry(i) ^ 0x00FFFFFFu);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelIndex(x, y), original.pixelIndex(x, y));
}

INSTANTIATE_TEST_SUITE_P(AllPaletteDepths, NegatePaletteTest, ::testing::Values(1, 4, 8));

TEST(NegateImage, EmptyPictureIsLeftAlone)
{
    Image image;
    negateImage(image);
    EXPECT_TRUE(image.isNull());
}

} // namespace
} // namespace vask
