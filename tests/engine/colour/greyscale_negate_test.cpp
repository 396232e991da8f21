#include "engine/ops/colour/greyscale.h"
#include "engine/ops/colour/negate.h"

#include "tests/engine/colour/every_colour.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vask {
namespace {

const auto greyOf = [](Rgb c) { return packRgb(lumaOf(c), lumaOf(c), lumaOf(c)); };
const auto negativeOf = [](Rgb c) { return packRgb(255 - redOf(c), 255 - greenOf(c), 255 - blueOf(c)); };

struct PointOperation {
    void (*apply)(Image&);
    Rgb (*expected)(Rgb);
};

class PointOperationTest : public ::testing::TestWithParam<PointOperation> {};

INSTANTIATE_TEST_SUITE_P(GreyScaleAndNegate, PointOperationTest,
                         ::testing::Values(PointOperation{greyScaleImage, greyOf},
                                           PointOperation{negateImage, negativeOf}));

TEST_P(PointOperationTest, EveryColourOfTheCubeTakesItsExpectedColour)
{
    const Image& original = test::everyColourPicture();
    Image image = original;
    GetParam().apply(image);
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x)
            ASSERT_EQ(image.rgbRow(y)[x], GetParam().expected(original.rgbRow(y)[x]))
                << std::hex << original.rgbRow(y)[x];
}

TEST_P(PointOperationTest, OddWidthsAndOnePixelTakeTheExpectedColoursOnTheFirstAndSecondPass)
{
    // A second pass changes nothing more for greys and restores the original for negatives.
    for (int width : {1, 2, 7, 33, 63, 65}) {
        const Image original = test::noisePicture(width, 5, 7u + width);
        Image image = original;
        for (int pass = 1; pass <= 2; ++pass) {
            GetParam().apply(image);
            ASSERT_EQ(image.depth(), 24);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < width; ++x) {
                    const Rgb once = GetParam().expected(original.rgbRow(y)[x]);
                    ASSERT_EQ(image.rgbRow(y)[x], pass == 1 ? once : GetParam().expected(once))
                        << "width " << width;
                }
        }
    }
}

TEST_P(PointOperationTest, PalettePicturesKeepDepthAndIndicesAndChangeTheirEntriesAndEmptyOnesStayEmpty)
{
    Image empty;
    GetParam().apply(empty);
    EXPECT_TRUE(empty.isNull());
    for (int depth : {1, 4, 8}) {
        const Image original = test::palettePicture(11, 3, depth, 5u);
        Image image = original;
        GetParam().apply(image);
        ASSERT_EQ(image.depth(), depth);
        for (int i = 0; i < Image::paletteSizeFor(depth); ++i)
            EXPECT_EQ(image.paletteEntry(i), GetParam().expected(original.paletteEntry(i)));
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(image.pixelIndex(x, y), original.pixelIndex(x, y));
    }
}

TEST(GreyScaleImage, EveryLuminanceIsWithinHalfALevelOfTheWeightedSum)
{
    // So red, green and blue give 76, 150 and 29.
    for (Rgb c = 0; c < (1u << 24); ++c)
        ASSERT_LE(std::fabs(lumaOf(c) - (0.299 * redOf(c) + 0.587 * greenOf(c) + 0.114 * blueOf(c))), 0.51)
            << std::hex << c;
}

} // namespace
} // namespace vask
