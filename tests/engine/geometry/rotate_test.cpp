#include "engine/ops/geometry/rotate.h"

#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "tests/engine/geometry/hand_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace vask {
namespace {

// A quarter turn anticlockwise, pixel by pixel: out(x, y) = in(width - 1 - y, x).
Image quarterTurn(const Image& in)
{
    Image out(in.height(), in.width(), in.depth());
    out.setPalette(in.palette());
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (in.isTrueColour())
                out.rgbRow(y)[x] = in.rgbRow(x)[in.width() - 1 - y];
            else
                out.row(y)[x] = in.row(x)[in.width() - 1 - y];
    return out;
}

TEST(RotateQuarters, EveryMultipleOfNinetyMovesEachPixelExactly)
{
    // 1 2 3 / 4 5 6: after +90 the top-right pixel is at the top-left.
    Image tiny = test::handPicture(3, 2, 24, {1, 2, 3, 4, 5, 6});
    rotateImage(tiny, 90, 0);
    EXPECT_EQ(tiny.width(), 2);
    EXPECT_EQ(test::handValues(tiny), (std::vector<int>{3, 6, 2, 5, 1, 4}));
    // Sizes that leave partial tiles on both axes.
    for (int depth : {1, 4, 8, 24})
        for (const auto& [width, height] :
             {std::pair{1, 1}, {1, 5}, {3, 2}, {45, 28}, {67, 130}, {131, 66}}) {
            const Image original = test::pictureOfDepth(depth, width, height, 3);
            for (int degrees : {0, 90, 180, 270, 360, 450, 990, -90, -180, -270}) {
                Image turned = original, expected = original;
                rotateImage(turned, degrees, 0);
                for (int quarter = 0; quarter < ((degrees / 90) % 4 + 4) % 4; ++quarter)
                    expected = quarterTurn(expected);
                ASSERT_EQ(turned.depth(), depth);
                ASSERT_EQ(turned.palette(), original.palette());
                ASSERT_TRUE(test::sameColours(turned, expected))
                    << depth << " bits, " << width << " x " << height << ", " << degrees << " degrees";
                ASSERT_EQ(test::handValues(turned), test::handValues(expected));
            }
        }
}

// Bilinear sampling at the documented mapping, in doubles, with fill beyond the edges.
Image referenceRotation(const Image& in, double degrees, Rgb fill, int outWidth, int outHeight)
{
    const double t = degrees * std::numbers::pi / 180.0, c = std::cos(t), s = std::sin(t);
    Image out(outWidth, outHeight, 24);
    auto at = [&](int x, int y, int shift) {
        return double(((in.contains(x, y) ? in.pixelColour(x, y) : fill) >> shift) & 0xFF);
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

TEST(RotateFreely, MatchesAPlainBilinearRotationOnTheRotatedBoundingBox)
{
    // Sides are the rotated box rounded up (100 x 50 at 45: 106.07). 90 ties the reference's
    // sense to the exact quarter turns; 301 wide spans the fast loop; 1 x 1 blends with fill.
    const struct {
        double degrees;
        int width, height, rotatedWidth, rotatedHeight;
    } cases[] = {{30, 37, 23, 44, 39},    {-7.5, 37, 23, 40, 28},   {123, 37, 23, 40, 44},
                 {200, 37, 23, 43, 35},   {0.5, 37, 23, 38, 24},    {89.9, 37, 23, 24, 38},
                 {90, 37, 23, 23, 37},    {-17, 301, 97, 317, 181}, {45, 100, 50, 107, 107},
                 {-30, 100, 50, 112, 94}, {30, 1, 1, 2, 2}};
    const Rgb fill = packRgb(0, 128, 255);
    for (const auto& c : cases) {
        const Image original = test::noisePicture(c.width, c.height, 9);
        Image rotated = original;
        rotateImage(rotated, c.degrees, fill);
        ASSERT_EQ(rotated.width(), c.rotatedWidth) << c.degrees;
        ASSERT_EQ(rotated.height(), c.rotatedHeight) << c.degrees;
        const Image expected = referenceRotation(original, c.degrees, fill, c.rotatedWidth, c.rotatedHeight);
        // Weights to 1/128 pixel (one level per direction on neighbours 255 apart), two roundings.
        EXPECT_LE(test::maxChannelDifference(rotated, expected), 3) << c.degrees;
        EXPECT_GT(test::psnr(rotated, expected), 45.0) << c.degrees;
    }
}

TEST(RotateFreely, FlatInsidesStayExactCornersAreFillAndPalettePicturesKeepTheirIndices)
{
    const Rgb fill = packRgb(12, 34, 56), flat = packRgb(200, 150, 100);
    Image flatPicture = createImage(24, 80, 60, flat);
    rotateImage(flatPicture, 20, fill);
    const int w = flatPicture.width(), h = flatPicture.height();
    for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
        EXPECT_EQ(flatPicture.pixelColour(x, y), fill) << x << "," << y;
    EXPECT_EQ(flatPicture.pixelColour(w / 2, h / 2), flat);
    EXPECT_EQ(flatPicture.pixelColour(w / 2 + 20, h / 2 - 15), flat);
    // Palette pictures turn by nearest neighbour, the fill becoming the nearest entry.
    Image picture = test::palettePicture(30, 20, 4, 12);
    std::vector<Rgb> palette = picture.palette();
    palette[6] = packRgb(250, 5, 5);
    picture.setPalette(palette);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            picture.row(y)[x] &= 3; // indices 0 to 3 only
    rotateImage(picture, 33, packRgb(255, 0, 0));
    EXPECT_EQ(picture.depth(), 4);
    EXPECT_EQ(picture.palette(), palette);
    EXPECT_EQ(picture.pixelIndex(0, 0), 6);
    EXPECT_EQ(picture.pixelIndex(picture.width() - 1, picture.height() - 1), 6);
    for (int index : test::handValues(picture))
        ASSERT_TRUE(index < 4 || index == 6) << index;
}

TEST(RotateFreely, AnglesThatAreNotNumbersAndCanvasesBeyondTheSideLimitAreRefused)
{
    Image picture = test::noisePicture(4, 4, 1);
    EXPECT_THROW(rotateImage(picture, std::nan(""), 0), ImageError);
    EXPECT_THROW(rotateImage(picture, INFINITY, 0), ImageError);
    EXPECT_EQ(picture.width(), 4);
    // The pixels are never touched: the canvas is checked before anything is made.
    Image wide(Image::kMaxSide, 2000, 8);
    EXPECT_THROW(rotateImage(wide, 5, 0), ImageError);
    EXPECT_EQ(wide.width(), Image::kMaxSide);
    EXPECT_EQ(wide.height(), 2000);
}

} // namespace
} // namespace vask
