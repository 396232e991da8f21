#include "engine/ops/colour/separations.h"

#include "engine/image/image_error.h"
#include "engine/image/true_colour.h"
#include "tests/engine/colour/every_colour.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace vask {
namespace {

using namespace test;

const auto maxOf = [](Rgb p) { return int(std::max({redOf(p), greenOf(p), blueOf(p)})); };
const auto minOf = [](Rgb p) { return int(std::min({redOf(p), greenOf(p), blueOf(p)})); };
const auto onePixel = [](Rgb colour) {
    Image image(1, 1, 24);
    image.fill(colour);
    return image;
};

// A model and the levels of colour (200, 110, 40) in its plane order.
using ModelCase = std::pair<ColourModel, std::vector<int>>;

class SeparationModelTest : public ::testing::TestWithParam<ModelCase> {};

// Worked by hand: max 200, min 40, spread 160; the hue lies 70/160 of the way from red to
// yellow, which is code 19 of the 43 in that sector (26.25 degrees x 256 / 360 = 18.7).
INSTANTIATE_TEST_SUITE_P(AllModels, SeparationModelTest,
                         ::testing::Values(ModelCase{ColourModel::Rgb, {40, 110, 200}},
                                           ModelCase{ColourModel::Cmy, {55, 145, 215}},
                                           // K = 255 - 200; M = 255 x 90 / 200 = 114.75; Y = 255 x 160 / 200
                                           ModelCase{ColourModel::Cmyk, {0, 115, 204, 55}},
                                           // S = 255 x 160 / 200
                                           ModelCase{ColourModel::Hsv, {19, 204, 200}},
                                           // L = 240 / 2; S = 255 x 160 / (2 x 120 + 1) = 169.3
                                           ModelCase{ColourModel::Hls, {19, 120, 169}}));

TEST_P(SeparationModelTest, PlanesOfAKnownColourHoldTheWorkedLevels)
{
    const auto& [model, levels] = GetParam();
    const std::vector<Image> planes = colorSeparate(onePixel(packRgb(200, 110, 40)), model);
    ASSERT_EQ(planes.size(), levels.size());
    ASSERT_EQ(planeCount(model), static_cast<int>(levels.size()));
    for (std::size_t i = 0; i < planes.size(); ++i)
        EXPECT_EQ(planes[i].row(0)[0], levels[i]) << "plane " << i;
}

TEST_P(SeparationModelTest, PlanesAreGreyPicturesThatMergeBackAtOddWidthsAndAnyDepth)
{
    const ColourModel model = GetParam().first;
    for (int width : {1, 2, 5, 1031})
        for (int depth : {1, 4, 8, 24}) {
            const Image source =
                depth == 24 ? noisePicture(width, 3, 4u) : palettePicture(width, 3, depth, 9u);
            const std::vector<Image> planes = colorSeparate(source, model);
            const std::vector<Image> copyPlanes = colorSeparate(toTrueColour(source), model);
            for (std::size_t i = 0; i < planes.size(); ++i) {
                EXPECT_EQ(std::pair(planes[i].width(), planes[i].height()), std::pair(width, 3));
                EXPECT_EQ(planes[i].palette(), greyPalette(8)); // and so 8 bits
                EXPECT_TRUE(sameColours(planes[i], copyPlanes[i])) << "palette pictures as their colours";
            }
            const Image merged = colorMerge(planes, model);
            ASSERT_EQ(merged.depth(), 24);
            EXPECT_LE(maxChannelDifference(merged, source), 2) << "width " << width << " depth " << depth;
        }
}

TEST_P(SeparationModelTest, GreysPrimariesAndSecondariesComeBackExactly)
{
    Image source(256 + 6, 1, 24);
    for (int level = 0; level < 256; ++level)
        source.rgbRow(0)[level] = packRgb(level, level, level);
    const Rgb pure[6] = {packRgb(255, 0, 0),   packRgb(255, 255, 0), packRgb(0, 255, 0),
                         packRgb(0, 255, 255), packRgb(0, 0, 255),   packRgb(255, 0, 255)};
    std::copy(pure, pure + 6, source.rgbRow(0) + 256);
    EXPECT_TRUE(sameColours(colorMerge(colorSeparate(source, GetParam().first), GetParam().first), source));
}

TEST_P(SeparationModelTest, AnEmptyPictureAnUnknownModelAndTheWrongNumberOrSizesOfPlanesAreRefused)
{
    const ColourModel model = GetParam().first;
    const std::vector<Image> planes = colorSeparate(noisePicture(4, 4, 1u), model);
    std::vector<Image> fewer(planes.begin(), planes.end() - 1), more = planes, otherSize = planes,
                                                                empty = planes;
    more.push_back(planes[0]);
    otherSize.back() = Image(4, 5, 8);
    empty.back() = Image();
    for (const auto& wrong : {fewer, more, otherSize, empty, std::vector<Image>()})
        EXPECT_THROW(colorMerge(wrong, model), ImageError);
    EXPECT_THROW(colorSeparate(Image(), model), ImageError);
    EXPECT_THROW(colorSeparate(onePixel(0xFF000000u), static_cast<ColourModel>(9)), ImageError);
    EXPECT_THROW(colorMerge(planes, static_cast<ColourModel>(-1)), ImageError);
    EXPECT_EQ(planeCount(static_cast<ColourModel>(9)), 0);
}

TEST(ColorSeparate, RgbCmyAndCmykGiveEveryColourBackExactly)
{
    for (const ColourModel model : {ColourModel::Rgb, ColourModel::Cmy, ColourModel::Cmyk})
        EXPECT_TRUE(
            sameColours(colorMerge(colorSeparate(everyColourPicture(), model), model), everyColourPicture()));
}

class HexconeSeparationTest : public ::testing::TestWithParam<ColourModel> {};

INSTANTIATE_TEST_SUITE_P(HsvHls, HexconeSeparationTest,
                         ::testing::Values(ColourModel::Hsv, ColourModel::Hls));

// Eight bits of hue place the middle channel of a saturated colour no closer than
// (max - min) / 84 levels, so most colours come back within one level and a few within two.
TEST_P(HexconeSeparationTest, EveryColourKeepsItsHueAndLevelsAndComesBackWithinTwoLevelsWhereNoPlanesDoBetter)
{
    const ColourModel model = GetParam();
    const Image& source = everyColourPicture();
    const std::vector<Image> separated = colorSeparate(source, model);
    const Image roundTrip = colorMerge(separated, model);
    std::vector<Rgb> offByTwo;
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const Rgb p = source.rgbRow(y)[x], q = roundTrip.rgbRow(y)[x];
            const double r = redOf(p), g = greenOf(p), b = blueOf(p), mx = maxOf(p), mn = minOf(p);
            // Value or lightness, and HSV saturation as the share of the spread; some give where
            // max and min moved to place the middle channel better.
            const bool hsv = model == ColourModel::Hsv;
            ASSERT_LE(std::fabs(separated[hsv ? 2 : 1].row(y)[x] - (hsv ? mx : (mx + mn) / 2)), 2.5)
                << std::hex << p;
            ASSERT_LE(hsv ? std::fabs(separated[1].row(y)[x] - (mx == 0 ? 0 : 255 * (mx - mn) / mx)) : 0, 2.5)
                << std::hex << p;
            if (mx > mn) {
                double sixths = mx == r ? (g - b) / (mx - mn)
                                        : (mx == g ? 2 + (b - r) / (mx - mn) : 4 + (r - g) / (mx - mn));
                sixths += sixths < 0 ? 6 : 0;
                const double hueDifference = std::fabs(separated[0].row(y)[x] - sixths * 256 / 6);
                ASSERT_LE(std::min(hueDifference, 256 - hueDifference), 1.0) << std::hex << p;
            }
            const int difference =
                std::max({std::abs(int(redOf(q)) - int(r)), std::abs(int(greenOf(q)) - int(g)),
                          std::abs(int(blueOf(q)) - int(b))});
            ASSERT_LE(difference, 2) << std::hex << p;
            if (difference == 2) {
                ASSERT_GE(mx - mn, 120) << std::hex << p; // only wide spreads
                offByTwo.push_back(p & 0xFFFFFF);
            }
        }
    EXPECT_LT(offByTwo.size(), 16777216u / 150);

    // Merge every combination of plane levels. Any planes, not only separations, still give
    // value as the max (HSV) or lightness as the mean of max and min (HLS).
    std::vector<Image> planes(3, Image(4096, 4096, 8));
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x)
            for (int i = 0; i < 3; ++i)
                planes[i].row(y)[x] = static_cast<std::uint8_t>((y * 4096 + x) >> (8 * i));
    const Image merged = colorMerge(planes, model);
    std::vector<bool> isMerged(1 << 24);
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const Rgb p = merged.rgbRow(y)[x];
            const int level = model == ColourModel::Hsv ? maxOf(p) : (maxOf(p) + minOf(p)) / 2;
            ASSERT_EQ(level, planes[model == ColourModel::Hsv ? 2 : 1].row(y)[x]);
            isMerged[p & 0xFFFFFF] = true;
        }
    for (const Rgb colour : offByTwo)
        for (int near = 0; near < 27; ++near) {
            const int r = int(redOf(colour)) + near % 3 - 1, g = int(greenOf(colour)) + near / 3 % 3 - 1;
            const int b = int(blueOf(colour)) + near / 9 - 1;
            const bool inCube = r >= 0 && g >= 0 && b >= 0 && r <= 255 && g <= 255 && b <= 255;
            ASSERT_FALSE(inCube && isMerged[(r << 16) | (g << 8) | b]) << std::hex << colour;
        }
}

TEST(ColorMerge, PlanesOfOtherDepthsAreReadThroughTheirLuminance)
{
    const Image source = noisePicture(19, 6, 8u);
    // The same levels as 24-bit greys and as an 8-bit picture with a reversed grey palette.
    std::vector<Image> trueColour, reversed = colorSeparate(source, ColourModel::Rgb), oneBit;
    std::vector<Rgb> palette = greyPalette(8);
    std::reverse(palette.begin(), palette.end());
    for (Image& plane : reversed) {
        trueColour.push_back(toTrueColour(plane));
        plane.setPalette(palette);
        for (int y = 0; y < plane.height(); ++y)
            for (int x = 0; x < plane.width(); ++x)
                plane.row(y)[x] = static_cast<std::uint8_t>(255 - plane.row(y)[x]);
    }
    EXPECT_TRUE(sameColours(colorMerge(trueColour, ColourModel::Rgb), source));
    EXPECT_TRUE(sameColours(colorMerge(reversed, ColourModel::Rgb), source));
    // Black and white 1-bit planes give no or the full channel.
    for (int i = 0; i < 3; ++i) {
        oneBit.emplace_back(2, 1, 1);
        oneBit.back().row(0)[0] = 0;
        oneBit.back().row(0)[1] = static_cast<std::uint8_t>(i != 1);
    }
    const Image merged = colorMerge(oneBit, ColourModel::Rgb);
    EXPECT_EQ(merged.rgbRow(0)[0], packRgb(0, 0, 0));
    EXPECT_EQ(merged.rgbRow(0)[1], packRgb(255, 0, 255));
}

} // namespace
} // namespace vask
