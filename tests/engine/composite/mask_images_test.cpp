#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/composite/mask_images.h"
#include "tests/support/test_pictures.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vask;

namespace {

// The blend in double precision, rounded to the nearest level (never a tie: the exact value
// is a multiple of 1/255).
int referenceBlend(int destination, int source, int mask)
{
    return int(std::lround(destination + (source - destination) * mask / 255.0));
}

} // namespace

TEST(MaskImages, EveryDestinationSourceAndMaskLevelMatchesTheExactValue)
{
    // Red runs through every destination level along x and every source level along y, so
    // each mask level checks all 65536 pairs; green and blue run the other way round.
    Image source(256, 256, 24);
    Image destinationStart(256, 256, 24);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            destinationStart.rgbRow(y)[x] = packRgb(x, y, 255 - x);
            source.rgbRow(y)[x] = packRgb(y, x, y ^ 0x5A);
        }
    for (int m = 0; m < 256; ++m) {
        Image destination = destinationStart;
        maskImages(destination, source, createImage(24, 256, 256, packRgb(m, m, m)));
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const Rgb d = destinationStart.pixelColour(x, y), s = source.pixelColour(x, y);
                const Rgb r = destination.pixelColour(x, y);
                ASSERT_EQ(int(redOf(r)), referenceBlend(redOf(d), redOf(s), m)) << m << " " << x << "," << y;
                ASSERT_EQ(int(greenOf(r)), referenceBlend(greenOf(d), greenOf(s), m));
                ASSERT_EQ(int(blueOf(r)), referenceBlend(blueOf(d), blueOf(s), m));
                ASSERT_EQ(r >> 24, 0xFFu);
            }
    }
}

TEST(MaskImages, WhiteLetsTheSourceThroughAndBlackKeepsTheDestination)
{
    const Image source = test::noisePicture(9, 5, 1);
    const Image original = test::noisePicture(9, 5, 2);
    Image white = original;
    maskImages(white, source, createImage(24, 9, 5, packRgb(255, 255, 255)));
    EXPECT_TRUE(test::sameColours(white, source));
    Image black = original;
    maskImages(black, source, createImage(24, 9, 5, packRgb(0, 0, 0)));
    EXPECT_TRUE(test::sameColours(black, original));
}

TEST(MaskImages, MaskGreyIsTheLuminanceOfItsColourOrPaletteEntry)
{
    // Pure red has luminance 76 (0.299 x 255); pure green 150; pure blue 29.
    const Image source = createImage(24, 3, 1, packRgb(255, 255, 255));
    Image mask(3, 1, 24);
    mask.rgbRow(0)[0] = packRgb(255, 0, 0);
    mask.rgbRow(0)[1] = packRgb(0, 255, 0);
    mask.rgbRow(0)[2] = packRgb(0, 0, 255);
    Image destination = createImage(24, 3, 1, packRgb(0, 0, 0));
    maskImages(destination, source, mask);
    EXPECT_EQ(destination.pixelColour(0, 0), packRgb(76, 76, 76));
    EXPECT_EQ(destination.pixelColour(1, 0), packRgb(150, 150, 150));
    EXPECT_EQ(destination.pixelColour(2, 0), packRgb(29, 29, 29));

    // The same colours through a 4-bit palette mask.
    Image paletteMask(3, 1, 4);
    paletteMask.setPalette({packRgb(255, 0, 0), packRgb(0, 255, 0), packRgb(0, 0, 255)});
    for (int x = 0; x < 3; ++x)
        paletteMask.row(0)[x] = static_cast<std::uint8_t>(x);
    Image fromPalette = createImage(24, 3, 1, packRgb(0, 0, 0));
    maskImages(fromPalette, source, paletteMask);
    EXPECT_TRUE(test::sameColours(fromPalette, destination));
}

TEST(MaskImages, PaletteDestinationAndSourceAreBlendedInTrueColour)
{
    for (int depth : {1, 4, 8}) {
        Image destination = test::palettePicture(7, 4, depth, 3);
        const Image before = destination;
        const Image source = test::palettePicture(7, 4, depth, 4);
        maskImages(destination, source, createImage(24, 7, 4, packRgb(128, 128, 128)));
        EXPECT_EQ(destination.depth(), 24);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 7; ++x) {
                const Rgb d = before.pixelColour(x, y), s = source.pixelColour(x, y),
                          r = destination.pixelColour(x, y);
                EXPECT_EQ(int(greenOf(r)), referenceBlend(greenOf(d), greenOf(s), 128)) << depth;
            }
    }
}

TEST(MaskImages, SourceAndMaskOfOtherSizesAreScaledToTheDestination)
{
    // A flat source of another size stays flat when scaled; the mask's left pixel is black and
    // its right one white, sampled at the nearest pixel.
    Image destination = createImage(24, 8, 5, packRgb(10, 20, 30));
    const Image source = createImage(24, 3, 2, packRgb(200, 100, 50));
    Image mask(2, 1, 24);
    mask.rgbRow(0)[0] = packRgb(0, 0, 0);
    mask.rgbRow(0)[1] = packRgb(255, 255, 255);
    maskImages(destination, source, mask);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(destination.pixelColour(x, y), x < 4 ? packRgb(10, 20, 30) : packRgb(200, 100, 50))
                << x << "," << y;
}

TEST(MaskImages, OddWidthsBlendEveryPixelUpToTheEdge)
{
    for (int width : {1, 3, 17, 33}) {
        Image destination = createImage(24, width, 3, packRgb(0, 0, 0));
        maskImages(destination, createImage(24, width, 3, packRgb(255, 255, 255)),
                   createImage(8, width, 3, packRgb(51, 51, 51)));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(destination.pixelColour(x, y), packRgb(51, 51, 51)) << width;
    }
}

TEST(MaskImages, OnePictureAsDestinationAndSourceStaysUnchanged)
{
    Image image = test::noisePicture(6, 6, 8);
    const Image before = image;
    maskImages(image, image, test::noisePicture(6, 6, 9));
    EXPECT_TRUE(test::sameColours(image, before));
}

TEST(MaskImages, RefusesMissingPictures)
{
    Image destination = test::noisePicture(2, 2, 1);
    const Image other = test::noisePicture(2, 2, 2);
    Image empty;
    EXPECT_THROW(maskImages(empty, other, other), ImageError);
    EXPECT_THROW(maskImages(destination, Image(), other), ImageError);
    EXPECT_THROW(maskImages(destination, other, Image()), ImageError);
}
