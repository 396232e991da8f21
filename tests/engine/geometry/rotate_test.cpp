#include "engine/ops/geometry/rotate.h"

#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/geometry/mirror.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <vector>

namespace vask {
namespace {

const Rgb kA = packRgb(10, 0, 0), kB = packRgb(20, 0, 0), kC = packRgb(30, 0, 0);
const Rgb kD = packRgb(40, 0, 0), kE = packRgb(50, 0, 0), kF = packRgb(60, 0, 0);

// a b c
// d e f
Image threeByTwo()
{
    Image picture(3, 2, 24);
    const Rgb colours[] = {kA, kB, kC, kD, kE, kF};
    for (int i = 0; i < 6; ++i)
        picture.rgbRow(i / 3)[i % 3] = colours[i];
    return picture;
}

std::vector<std::vector<Rgb>> rowsOf(const Image& image)
{
    std::vector<std::vector<Rgb>> rows(image.height());
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            rows[y].push_back(image.pixelColour(x, y));
    return rows;
}

struct QuarterCase {
    double degrees;
    std::vector<std::vector<Rgb>> expected;
};

TEST(RotateQuarters, TinyPictureTurnsExactlyForEveryMultipleOfNinety)
{
    const std::vector<std::vector<Rgb>> anticlockwise = {{kC, kF}, {kB, kE}, {kA, kD}};
    const std::vector<std::vector<Rgb>> halfTurn = {{kF, kE, kD}, {kC, kB, kA}};
    const std::vector<std::vector<Rgb>> clockwise = {{kD, kA}, {kE, kB}, {kF, kC}};
    const std::vector<std::vector<Rgb>> same = {{kA, kB, kC}, {kD, kE, kF}};
    const QuarterCase cases[] = {
        {90, anticlockwise},  {180, halfTurn}, {270, clockwise}, {-90, clockwise}, {-270, anticlockwise},
        {450, anticlockwise}, {360, same},     {0, same},        {-180, halfTurn}, {720 + 270, clockwise},
    };
    for (const QuarterCase& c : cases) {
        Image picture = threeByTwo();
        rotateImage(picture, c.degrees, packRgb(255, 255, 255));
        EXPECT_EQ(rowsOf(picture), c.expected) << c.degrees << " degrees";
    }
}

TEST(RotateQuarters, RedPixelAtTheTopRightEndsAtTheTopLeftAfterPlusNinety)
{
    Image picture = createImage(24, 5, 3, packRgb(0, 0, 0));
    picture.rgbRow(0)[4] = packRgb(255, 0, 0);
    rotateImage(picture, 90, 0);
    ASSERT_EQ(picture.width(), 3);
    ASSERT_EQ(picture.height(), 5);
    EXPECT_EQ(picture.pixelColour(0, 0), packRgb(255, 0, 0));
}

class FourQuarterTurns : public ::testing::TestWithParam<int> {};

TEST_P(FourQuarterTurns, RestoreThePictureAndSwapSidesOnTheWay)
{
    const int depth = GetParam();
    // Sizes that leave partial tiles on both axes.
    for (const auto& size : {std::pair{1, 1}, {1, 5}, {67, 130}, {131, 66}}) {
        const Image original = depth == 24 ? test::noisePicture(size.first, size.second, 3)
                                           : test::palettePicture(size.first, size.second, depth, 3);
        Image picture = original;
        for (int turn = 1; turn <= 4; ++turn) {
            rotateImage(picture, 90, 0);
            EXPECT_EQ(picture.width(), turn % 2 ? original.height() : original.width());
            EXPECT_EQ(picture.depth(), depth);
        }
        EXPECT_TRUE(test::sameColours(picture, original));
        EXPECT_EQ(picture.palette(), original.palette());
        Image back = original;
        rotateImage(back, 90, 0);
        rotateImage(back, -90, 0);
        EXPECT_TRUE(test::sameColours(back, original));
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, FourQuarterTurns, ::testing::Values(1, 4, 8, 24));

TEST(RotateQuarters, HalfTurnEqualsMirroringBothWays)
{
    const Image original = test::noisePicture(45, 28, 6);
    Image turned = original, mirrored = original;
    rotateImage(turned, 180, 0);
    mirrorImage(mirrored, true, true);
    EXPECT_TRUE(test::sameColours(turned, mirrored));
}

// Bilinear sampling at the documented mapping, in doubles, with fill beyond the edges.
Image referenceRotation(const Image& in, double degrees, Rgb fill, int outWidth, int outHeight)
{
    const double t = degrees * std::numbers::pi / 180.0, c = std::cos(t), s = std::sin(t);
    Image out(outWidth, outHeight, 24);
    auto at = [&](int x, int y, int shift) {
        const Rgb p = in.contains(x, y) ? in.pixelColour(x, y) : fill;
        return double((p >> shift) & 0xFF);
    };
    for (int y = 0; y < outHeight; ++y)
        for (int x = 0; x < outWidth; ++x) {
            const double u = x + 0.5 - outWidth / 2.0, v = y + 0.5 - outHeight / 2.0;
            const double sx = in.width() / 2.0 + u * c - v * s - 0.5;
            const double sy = in.height() / 2.0 + u * s + v * c - 0.5;
            const int x0 = int(std::floor(sx)), y0 = int(std::floor(sy));
            const double fx = sx - x0, fy = sy - y0;
            Rgb p = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const double top = at(x0, y0, shift) * (1 - fx) + at(x0 + 1, y0, shift) * fx;
                const double bottom = at(x0, y0 + 1, shift) * (1 - fx) + at(x0 + 1, y0 + 1, shift) * fx;
                p |= Rgb(std::lround(top * (1 - fy) + bottom * fy)) << shift;
            }
            out.rgbRow(y)[x] = p;
        }
    return out;
}

TEST(RotateFreely, MatchesAPlainBilinearRotationWithinWeightRounding)
{
    const Rgb fill = packRgb(0, 128, 255);
    for (double degrees : {30.0, -7.5, 123.0, 200.0, 0.5, 89.9, -17.0}) {
        // Wide enough for several spans of the fast loop per row.
        const Image original = test::noisePicture(degrees == -17.0 ? 301 : 37, degrees == -17.0 ? 97 : 23, 9);
        Image rotated = original;
        rotateImage(rotated, degrees, fill);
        const Image expected = referenceRotation(original, degrees, fill, rotated.width(), rotated.height());
        // Weights to 1/128 pixel (one level per direction on neighbours 255 apart) and two
        // roundings.
        EXPECT_LE(test::maxChannelDifference(rotated, expected), 3) << degrees;
        EXPECT_GT(test::psnr(rotated, expected), 45.0) << degrees;
    }
}

TEST(RotateFreely, PositiveAnglesTurnAnticlockwise)
{
    // A red block at the top-right corner; after 80 degrees it sits near the top-left.
    Image picture = createImage(24, 40, 20, packRgb(0, 0, 0));
    for (int y = 0; y < 4; ++y)
        for (int x = 36; x < 40; ++x)
            picture.rgbRow(y)[x] = packRgb(255, 0, 0);
    rotateImage(picture, 80, packRgb(0, 0, 0));
    double sumX = 0, sumY = 0, weight = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const double r = redOf(picture.pixelColour(x, y));
            sumX += r * x, sumY += r * y, weight += r;
        }
    ASSERT_GT(weight, 0);
    EXPECT_LT(sumX / weight, picture.width() / 3.0);
    EXPECT_LT(sumY / weight, picture.height() / 3.0);
}

TEST(RotateFreely, CanvasIsTheRotatedBoundingBox)
{
    Image picture = test::noisePicture(100, 50, 1);
    rotateImage(picture, 45, 0);
    // 150 / sqrt(2) = 106.07 each way.
    EXPECT_EQ(picture.width(), 107);
    EXPECT_EQ(picture.height(), 107);
    Image wide = test::noisePicture(100, 50, 1);
    rotateImage(wide, -30, 0);
    EXPECT_EQ(wide.width(), int(std::ceil(100 * std::cos(std::numbers::pi / 6) + 50 * 0.5)));
    EXPECT_EQ(wide.height(), int(std::ceil(100 * 0.5 + 50 * std::cos(std::numbers::pi / 6))));
}

TEST(RotateFreely, CornersAreFillAndTheInsideKeepsAFlatColour)
{
    const Rgb fill = packRgb(12, 34, 56);
    Image picture = createImage(24, 80, 60, packRgb(200, 150, 100));
    rotateImage(picture, 20, fill);
    const int w = picture.width(), h = picture.height();
    for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        EXPECT_EQ(picture.pixelColour(x, y), fill) << x << "," << y;
    EXPECT_EQ(picture.pixelColour(w / 2, h / 2), packRgb(200, 150, 100));
    EXPECT_EQ(picture.pixelColour(w / 2 + 20, h / 2 - 15), packRgb(200, 150, 100));
}

TEST(RotateFreely, TurningBackRestoresTheCentreOfALinearPicture)
{
    // Bilinear sampling reproduces a linear picture, so only weight rounding remains.
    const int w = 60, h = 40;
    Image original(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            original.rgbRow(y)[x] = packRgb(40 + 2 * x, 30 + 3 * y, 100 + x - y);
    Image picture = original;
    rotateImage(picture, 7.5, 0);
    rotateImage(picture, -7.5, 0);
    const double offsetX = (picture.width() - w) / 2.0, offsetY = (picture.height() - h) / 2.0;
    int worst = 0;
    for (int y = 8; y < h - 8; ++y)
        for (int x = 8; x < w - 8; ++x) {
            const Rgb p = picture.pixelColour(int(x + offsetX), int(y + offsetY));
            const double ox = int(x + offsetX) - offsetX, oy = int(y + offsetY) - offsetY;
            worst = std::max({worst, std::abs(int(redOf(p)) - int(std::lround(40 + 2 * ox))),
                              std::abs(int(greenOf(p)) - int(std::lround(30 + 3 * oy))),
                              std::abs(int(blueOf(p)) - int(std::lround(100 + ox - oy)))});
        }
    EXPECT_LE(worst, 3);
}

TEST(RotateFreely, OnePixelPictureGrowsToTheBoundingBoxAndBlendsWithFill)
{
    Image dot = createImage(24, 1, 1, packRgb(200, 200, 200));
    rotateImage(dot, 30, packRgb(0, 0, 0));
    ASSERT_EQ(dot.width(), 2);
    ASSERT_EQ(dot.height(), 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            EXPECT_LT(redOf(dot.pixelColour(x, y)), 200u);
            EXPECT_GT(redOf(dot.pixelColour(x, y)), 0u);
        }
    Image turned = createImage(24, 1, 1, packRgb(1, 2, 3));
    rotateImage(turned, 90, 0);
    EXPECT_EQ(turned.width(), 1);
    EXPECT_EQ(turned.pixelColour(0, 0), packRgb(1, 2, 3));
}

TEST(RotateFreely, PalettePictureKeepsDepthPaletteAndIndicesWithFillAsTheNearestEntry)
{
    Image picture = test::palettePicture(30, 20, 4, 12);
    std::vector<Rgb> palette = picture.palette();
    palette[6] = packRgb(250, 5, 5);
    picture.setPalette(palette);
    std::set<int> used;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            used.insert(picture.pixelIndex(x, y));
    used.insert(6);
    rotateImage(picture, 33, packRgb(255, 0, 0));
    EXPECT_EQ(picture.depth(), 4);
    EXPECT_EQ(picture.palette(), palette);
    EXPECT_EQ(picture.pixelIndex(0, 0), 6);
    EXPECT_EQ(picture.pixelIndex(picture.width() - 1, picture.height() - 1), 6);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_TRUE(used.count(picture.pixelIndex(x, y)));
}

TEST(RotateFreely, CanvasBeyondTheSideLimitIsRefusedAndThePictureKept)
{
    // The pixels are never touched: the canvas is checked before anything is made.
    Image wide(Image::kMaxSide, 2000, 8);
    EXPECT_THROW(rotateImage(wide, 5, 0), ImageError);
    EXPECT_EQ(wide.width(), Image::kMaxSide);
    EXPECT_EQ(wide.height(), 2000);
}

TEST(RotateFreely, AngleThatIsNotANumberIsRefused)
{
    Image picture = test::noisePicture(4, 4, 1);
    EXPECT_THROW(rotateImage(picture, std::nan(""), 0), ImageError);
    EXPECT_THROW(rotateImage(picture, INFINITY, 0), ImageError);
    EXPECT_EQ(picture.width(), 4);
}

} // namespace
} // namespace vask
