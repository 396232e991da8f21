#include "engine/ops/colour/separations.h"

#include "engine/image/image_error.h"
#include "engine/image/true_colour.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace vask {
namespace {

// Every 24-bit colour once: pixel (x, y) of a 4096 x 4096 picture is colour y * 4096 + x.
const Image& everyColourPicture()
{
    static const Image image = [] {
        Image picture(4096, 4096, 24);
        for (int y = 0; y < 4096; ++y)
            for (int x = 0; x < 4096; ++x)
                picture.rgbRow(y)[x] = 0xFF000000u | static_cast<Rgb>(y * 4096 + x);
        return picture;
    }();
    return image;
}

int channelDifference(Rgb a, Rgb b)
{
    return std::max({std::abs(int(redOf(a)) - int(redOf(b))), std::abs(int(greenOf(a)) - int(greenOf(b))),
                     std::abs(int(blueOf(a)) - int(blueOf(b)))});
}

Image onePixel(Rgb colour)
{
    Image image(1, 1, 24);
    image.rgbRow(0)[0] = colour;
    return image;
}

struct ModelCase {
    ColourModel model;
    std::vector<int> levels; // of colour (200, 110, 40), in plane order
};

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
    const ModelCase& c = GetParam();
    const std::vector<Image> planes = colorSeparate(onePixel(packRgb(200, 110, 40)), c.model);
    ASSERT_EQ(planes.size(), c.levels.size());
    ASSERT_EQ(planeCount(c.model), static_cast<int>(c.levels.size()));
    for (std::size_t i = 0; i < planes.size(); ++i)
        EXPECT_EQ(planes[i].row(0)[0], c.levels[i]) << "plane " << i;
}

TEST_P(SeparationModelTest, PlanesAreGreyPicturesOfTheSourceSize)
{
    const Image source = test::noisePicture(13, 7, 2u);
    const std::vector<Image> planes = colorSeparate(source, GetParam().model);
    for (const Image& plane : planes) {
        EXPECT_EQ(plane.width(), 13);
        EXPECT_EQ(plane.height(), 7);
        EXPECT_EQ(plane.depth(), 8);
        EXPECT_EQ(plane.palette(), greyPalette(8));
    }
}

TEST_P(SeparationModelTest, PalettePictureSeparatesLikeItsTrueColourCopy)
{
    for (int depth : {1, 4, 8}) {
        const Image source = test::palettePicture(21, 5, depth, 9u);
        const std::vector<Image> fromPalette = colorSeparate(source, GetParam().model);
        const std::vector<Image> fromTrueColour = colorSeparate(toTrueColour(source), GetParam().model);
        for (std::size_t i = 0; i < fromPalette.size(); ++i)
            EXPECT_TRUE(test::sameColours(fromPalette[i], fromTrueColour[i]))
                << "depth " << depth << " plane " << i;
    }
}

TEST_P(SeparationModelTest, OnePixelAndOddWidthsRoundTrip)
{
    for (int width : {1, 2, 5, 1031}) {
        const Image source = test::noisePicture(width, 3, 4u);
        const Image merged = colorMerge(colorSeparate(source, GetParam().model), GetParam().model);
        ASSERT_EQ(merged.depth(), 24);
        EXPECT_LE(test::maxChannelDifference(merged, source), 2) << "width " << width;
    }
}

TEST_P(SeparationModelTest, GreysPrimariesAndSecondariesComeBackExactly)
{
    Image source(256 + 6, 1, 24);
    for (int level = 0; level < 256; ++level)
        source.rgbRow(0)[level] = packRgb(level, level, level);
    const Rgb pure[6] = {packRgb(255, 0, 0),   packRgb(255, 255, 0), packRgb(0, 255, 0),
                         packRgb(0, 255, 255), packRgb(0, 0, 255),   packRgb(255, 0, 255)};
    for (int i = 0; i < 6; ++i)
        source.rgbRow(0)[256 + i] = pure[i];
    const Image merged = colorMerge(colorSeparate(source, GetParam().model), GetParam().model);
    EXPECT_TRUE(test::sameColours(merged, source));
}

TEST_P(SeparationModelTest, MergeOfAWrongNumberOfPlanesIsRefused)
{
    const ColourModel model = GetParam().model;
    std::vector<Image> planes = colorSeparate(test::noisePicture(4, 4, 1u), model);
    planes.pop_back();
    EXPECT_THROW(colorMerge(planes, model), ImageError);
    planes.push_back(planes[0]);
    planes.push_back(planes[0]);
    EXPECT_THROW(colorMerge(planes, model), ImageError);
    EXPECT_THROW(colorMerge({}, model), ImageError);
}

TEST_P(SeparationModelTest, MergeOfPlanesOfDifferentSizesIsRefused)
{
    const ColourModel model = GetParam().model;
    std::vector<Image> planes = colorSeparate(test::noisePicture(4, 4, 1u), model);
    planes.back() = Image(4, 5, 8);
    EXPECT_THROW(colorMerge(planes, model), ImageError);
    planes.back() = Image();
    EXPECT_THROW(colorMerge(planes, model), ImageError);
}

// The three lossless models give every colour back exactly.
class LosslessSeparationTest : public ::testing::TestWithParam<ColourModel> {};

INSTANTIATE_TEST_SUITE_P(RgbCmyCmyk, LosslessSeparationTest,
                         ::testing::Values(ColourModel::Rgb, ColourModel::Cmy, ColourModel::Cmyk));

TEST_P(LosslessSeparationTest, EveryColourComesBackExactly)
{
    const Image& source = everyColourPicture();
    const Image merged = colorMerge(colorSeparate(source, GetParam()), GetParam());
    EXPECT_TRUE(test::sameColours(merged, source));
}

// Eight bits of hue place the middle channel of a saturated colour no closer than
// (max - min) / 84 levels, so the hexcone models cannot give every colour back within one
// level; they give every colour back within two and most within one.
class HexconeSeparationTest : public ::testing::TestWithParam<ColourModel> {};

INSTANTIATE_TEST_SUITE_P(HsvHls, HexconeSeparationTest,
                         ::testing::Values(ColourModel::Hsv, ColourModel::Hls));

TEST_P(HexconeSeparationTest, EveryColourComesBackWithinTwoLevelsAndAlmostAllWithinOne)
{
    const Image& source = everyColourPicture();
    const Image merged = colorMerge(colorSeparate(source, GetParam()), GetParam());
    long offByTwo = 0;
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const Rgb before = source.rgbRow(y)[x];
            const int difference = channelDifference(merged.rgbRow(y)[x], before);
            ASSERT_LE(difference, 2) << std::hex << before;
            if (difference == 2) {
                ++offByTwo;
                // Only colours with a wide spread can miss by two.
                const int spread = std::max({redOf(before), greenOf(before), blueOf(before)}) -
                                   std::min({redOf(before), greenOf(before), blueOf(before)});
                ASSERT_GE(spread, 120) << std::hex << before;
            }
        }
    EXPECT_LT(offByTwo, 16777216 / 150);
}

TEST_P(HexconeSeparationTest, ColoursOffByTwoAreExactlyThoseNoPlanesMergeWithinOne)
{
    // Merge every one of the 2^24 combinations of plane levels, mark each colour within one
    // level of a merged colour, and compare with what separation and merge give back.
    std::vector<Image> planes;
    for (int i = 0; i < 3; ++i)
        planes.emplace_back(4096, 4096, 8);
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const int combination = y * 4096 + x;
            for (int i = 0; i < 3; ++i)
                planes[i].row(y)[x] = static_cast<std::uint8_t>(combination >> (8 * i));
        }
    const Image merged = colorMerge(planes, GetParam());
    std::vector<bool> reachable(1 << 24);
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const Rgb p = merged.rgbRow(y)[x];
            for (int dr = -1; dr <= 1; ++dr)
                for (int dg = -1; dg <= 1; ++dg)
                    for (int db = -1; db <= 1; ++db) {
                        const int r = int(redOf(p)) + dr, g = int(greenOf(p)) + dg, b = int(blueOf(p)) + db;
                        if (r >= 0 && g >= 0 && b >= 0 && r <= 255 && g <= 255 && b <= 255)
                            reachable[(r << 16) | (g << 8) | b] = true;
                    }
        }
    const Image& source = everyColourPicture();
    const Image roundTrip = colorMerge(colorSeparate(source, GetParam()), GetParam());
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const Rgb before = source.rgbRow(y)[x];
            ASSERT_EQ(channelDifference(roundTrip.rgbRow(y)[x], before) <= 1,
                      bool(reachable[before & 0xFFFFFF]))
                << std::hex << before;
        }
}

TEST_P(HexconeSeparationTest, HueIsWithinOneCodeOfTheWheelAngle)
{
    const Image& source = everyColourPicture();
    const std::vector<Image> planes = colorSeparate(source, GetParam());
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const Rgb p = source.rgbRow(y)[x];
            const double r = redOf(p), g = greenOf(p), b = blueOf(p);
            const double mx = std::max({r, g, b}), mn = std::min({r, g, b}), spread = mx - mn;
            if (spread == 0)
                continue;
            double sixths =
                mx == r ? (g - b) / spread : (mx == g ? 2 + (b - r) / spread : 4 + (r - g) / spread);
            if (sixths < 0)
                sixths += 6;
            double difference = std::fabs(planes[0].row(y)[x] - sixths * 256 / 6);
            difference = std::min(difference, 256 - difference);
            ASSERT_LE(difference, 1.0) << std::hex << p;
        }
}

TEST(HsvSeparation, ValueIsMaxAndSaturationTheShareOfTheSpread)
{
    const Image& source = everyColourPicture();
    const std::vector<Image> planes = colorSeparate(source, ColourModel::Hsv);
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const Rgb p = source.rgbRow(y)[x];
            const int mx = std::max({redOf(p), greenOf(p), blueOf(p)});
            const int mn = std::min({redOf(p), greenOf(p), blueOf(p)});
            const double saturation = mx == 0 ? 0 : 255.0 * (mx - mn) / mx;
            // Some give where max and min moved to place the middle channel better.
            ASSERT_LE(std::abs(planes[2].row(y)[x] - mx), 2) << std::hex << p;
            ASSERT_LE(std::fabs(planes[1].row(y)[x] - saturation), 2.5) << std::hex << p;
        }
}

TEST(HlsSeparation, LightnessIsTheMeanOfMaxAndMin)
{
    const Image& source = everyColourPicture();
    const std::vector<Image> planes = colorSeparate(source, ColourModel::Hls);
    for (int y = 0; y < 4096; ++y)
        for (int x = 0; x < 4096; ++x) {
            const Rgb p = source.rgbRow(y)[x];
            const int mx = std::max({redOf(p), greenOf(p), blueOf(p)});
            const int mn = std::min({redOf(p), greenOf(p), blueOf(p)});
            ASSERT_LE(std::fabs(planes[1].row(y)[x] - (mx + mn) / 2.0), 2.5) << std::hex << p;
        }
}

TEST(HexconeMerge, AnyPlanesGiveValueAsMaxAndLightnessAsMeanOfMaxAndMin)
{
    // Planes no separation made: every combination of levels still merges to a colour whose
    // max (HSV) or mean of max and min (HLS) is the level plane.
    std::vector<Image> planes;
    for (std::uint32_t seed : {1u, 2u, 3u}) {
        Image plane = test::palettePicture(257, 255, 8, seed);
        plane.setPalette(greyPalette(8));
        planes.push_back(plane);
    }
    const Image hsv = colorMerge(planes, ColourModel::Hsv);
    const Image hls = colorMerge(planes, ColourModel::Hls);
    for (int y = 0; y < hsv.height(); ++y)
        for (int x = 0; x < hsv.width(); ++x) {
            const Rgb p = hsv.rgbRow(y)[x], q = hls.rgbRow(y)[x];
            ASSERT_EQ(int(std::max({redOf(p), greenOf(p), blueOf(p)})), planes[2].row(y)[x]);
            const int mx = std::max({redOf(q), greenOf(q), blueOf(q)});
            const int mn = std::min({redOf(q), greenOf(q), blueOf(q)});
            ASSERT_EQ((mx + mn) / 2, planes[1].row(y)[x]);
        }
}

TEST(ColorMerge, PlanesOfOtherDepthsAreReadThroughTheirLuminance)
{
    const Image source = test::noisePicture(19, 6, 8u);
    const std::vector<Image> planes = colorSeparate(source, ColourModel::Rgb);
    // The same levels as 24-bit greys and as an 8-bit picture with a reversed grey palette.
    std::vector<Image> trueColourPlanes;
    for (const Image& plane : planes)
        trueColourPlanes.push_back(toTrueColour(plane));
    EXPECT_TRUE(test::sameColours(colorMerge(trueColourPlanes, ColourModel::Rgb), source));
    std::vector<Image> reversed = planes;
    std::vector<Rgb> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[i] = packRgb(255 - i, 255 - i, 255 - i);
    for (Image& plane : reversed) {
        plane.setPalette(palette);
        for (int y = 0; y < plane.height(); ++y)
            for (int x = 0; x < plane.width(); ++x)
                plane.row(y)[x] = static_cast<std::uint8_t>(255 - plane.row(y)[x]);
    }
    EXPECT_TRUE(test::sameColours(colorMerge(reversed, ColourModel::Rgb), source));
}

TEST(ColorMerge, OneBitPlanesGiveBlackAndFullChannels)
{
    std::vector<Image> planes;
    for (int i = 0; i < 3; ++i) {
        Image plane(2, 1, 1);
        plane.row(0)[0] = 0;
        plane.row(0)[1] = static_cast<std::uint8_t>(i != 1);
        planes.push_back(plane);
    }
    const Image merged = colorMerge(planes, ColourModel::Rgb);
    EXPECT_EQ(merged.rgbRow(0)[0], packRgb(0, 0, 0));
    EXPECT_EQ(merged.rgbRow(0)[1], packRgb(255, 0, 255));
}

TEST(ColorSeparate, EmptyPictureAndUnknownModelAreRefused)
{
    EXPECT_THROW(colorSeparate(Image(), ColourModel::Rgb), ImageError);
    EXPECT_THROW(colorSeparate(onePixel(0xFF000000u), static_cast<ColourModel>(9)), ImageError);
    EXPECT_THROW(colorMerge({Image(1, 1, 8)}, static_cast<ColourModel>(-1)), ImageError);
    EXPECT_EQ(planeCount(static_cast<ColourModel>(9)), 0);
}

} // namespace
} // namespace vask
