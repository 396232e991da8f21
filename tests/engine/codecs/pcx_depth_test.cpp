#include "engine/codecs/pcx_codec.h"

#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <set>

namespace vask {
namespace {

Image pictureOfDepth(int depth)
{
    return depth == 24 ? test::gradientPicture(37, 9) : test::palettePicture(37, 9, depth, 11);
}

std::size_t colourCount(const Image& image)
{
    const std::vector<Rgb> colours = test::coloursOf(image);
    return std::set<Rgb>(colours.begin(), colours.end()).size();
}

struct DepthCase {
    int pictureDepth;
    int writeDepth;
    int fileDepth;
};

class PcxWriteDepth : public ::testing::TestWithParam<DepthCase> {};

TEST_P(PcxWriteDepth, FileHasTheAskedDepthAndRaisingKeepsEveryColour)
{
    const DepthCase c = GetParam();
    const Image picture = pictureOfDepth(c.pictureDepth);
    const Image back = decodePcx(encodePcx(picture, c.writeDepth));
    ASSERT_EQ(back.depth(), c.fileDepth);
    if (c.fileDepth >= c.pictureDepth)
        EXPECT_TRUE(test::sameColours(back, picture));
    else
        EXPECT_LE(colourCount(back), std::size_t(1) << c.fileDepth);
}

INSTANTIATE_TEST_SUITE_P(Conversions, PcxWriteDepth,
                         ::testing::Values(DepthCase{24, 0, 24}, DepthCase{8, 0, 8}, DepthCase{24, 8, 8},
                                           DepthCase{24, 4, 4}, DepthCase{24, 1, 1}, DepthCase{8, 4, 4},
                                           DepthCase{4, 1, 1}, DepthCase{1, 4, 4}, DepthCase{1, 8, 8},
                                           DepthCase{4, 24, 24}, DepthCase{8, 24, 24}, DepthCase{8, 16, 24},
                                           DepthCase{8, 32, 24}, DepthCase{24, 16, 24},
                                           DepthCase{24, 32, 24}));

TEST(PcxWriteDepth, PictureWithFewEnoughColoursIsReducedExactly)
{
    // 256 colours at 24 bits written as 8 bits, then its 16 colours written as 4 bits.
    const Image picture = test::gradientPicture(16, 16);
    const Image eight = decodePcx(encodePcx(picture, 8));
    EXPECT_TRUE(test::sameColours(eight, picture));
    Image sixteen(9, 5, 24);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            sixteen.rgbRow(y)[x] = packRgb(((x + y) % 16) * 17, 40, 200);
    const Image four = decodePcx(encodePcx(sixteen, 4));
    EXPECT_EQ(four.depth(), 4);
    EXPECT_TRUE(test::sameColours(four, sixteen));
}

TEST(PcxWriteDepth, ReductionKeepsThePictureRecognisable)
{
    const Image picture = test::gradientPicture(64, 48);
    EXPECT_GT(test::psnr(decodePcx(encodePcx(picture, 4)), picture), 15.0);
}

TEST(PcxWriteDepth, DepthsPcxCannotHoldAreRefusedWithASentence)
{
    for (const int depth : {2, 3, 12, -1}) {
        try {
            encodePcx(pictureOfDepth(8), depth);
            ADD_FAILURE() << depth << " was accepted";
        } catch (const ImageError& e) {
            EXPECT_EQ(std::string(e.what()),
                      "PCX files can be written with 1, 4, 8 or 24 bits per pixel, not " +
                          std::to_string(depth) + ".");
        }
    }
}

} // namespace
} // namespace vask
