#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/composite/mask_images.h"
#include "tests/support/test_pictures.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace vask;

namespace {

// The blend in doubles, rounded to nearest (never a tie: the exact value is a multiple of 1/255).
int referenceBlend(int destination, int source, int mask)
{
    return int(std::lround(destination + (source - destination) * mask / 255.0));
}

// Compares every channel of the blended picture with referenceBlend at the mask's luminance.
void expectBlended(const Image& blended, const Image& destination, const Image& source, const Image& mask)
{
    ASSERT_EQ(blended.depth(), 24);
    for (int y = 0; y < blended.height(); ++y)
        for (int x = 0; x < blended.width(); ++x) {
            const Rgb d = destination.pixelColour(x, y), s = source.pixelColour(x, y),
                      r = blended.rgbRow(y)[x];
            const int m = int(lumaOf(mask.pixelColour(x, y)));
            for (int shift = 0; shift < 24; shift += 8)
                ASSERT_EQ(int((r >> shift) & 0xFF),
                          referenceBlend((d >> shift) & 0xFF, (s >> shift) & 0xFF, m))
                    << x << "," << y << " shift " << shift;
            ASSERT_EQ(r >> 24, 0xFFu);
        }
}

} // namespace

TEST(MaskImages, EveryDestinationSourcePairAndEveryMaskLevelMatchTheExactValue)
{
    // Red meets every destination level (x) with every source level (y), green and blue the
    // other way round; the mask level (x + 3y) mod 256 gives each level 256 different pairs.
    Image destination(256, 256, 24), source(256, 256, 24), mask(256, 256, 24);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            const int m = (x + 3 * y) & 0xFF;
            destination.rgbRow(y)[x] = packRgb(x, y, 255 - x);
            source.rgbRow(y)[x] = packRgb(y, x, y ^ 0x5A);
            mask.rgbRow(y)[x] = packRgb(m, m, m);
        }
    Image blended = destination;
    maskImages(blended, source, mask);
    expectBlended(blended, destination, source, mask);
}

TEST(MaskImages, MaskGreyIsTheLuminanceOfItsColour)
{
    // Pure red has luminance 76 (0.299 x 255); pure green 150; pure blue 29.
    Image mask(3, 1, 24), destination = createImage(24, 3, 1, packRgb(0, 0, 0));
    mask.rgbRow(0)[0] = packRgb(255, 0, 0);
    mask.rgbRow(0)[1] = packRgb(0, 255, 0);
    mask.rgbRow(0)[2] = packRgb(0, 0, 255);
    maskImages(destination, createImage(24, 3, 1, packRgb(255, 255, 255)), mask);
    EXPECT_EQ(destination.pixelColour(0, 0), packRgb(76, 76, 76));
    EXPECT_EQ(destination.pixelColour(1, 0), packRgb(150, 150, 150));
    EXPECT_EQ(destination.pixelColour(2, 0), packRgb(29, 29, 29));
}

TEST(MaskImages, PalettePicturesAndOddWidthsAreBlendedInTrueColourUpToTheEdge)
{
    for (int depth : {1, 4, 8, 24})
        for (int width : {1, 3, 17, 33}) {
            const Image before =
                depth == 24 ? test::noisePicture(width, 4, 3) : test::palettePicture(width, 4, depth, 3);
            const Image source = test::palettePicture(width, 4, depth == 24 ? 8 : depth, 4);
            const Image mask = test::palettePicture(width, 4, depth == 24 ? 4 : depth, 5);
            Image destination = before;
            maskImages(destination, source, mask);
            expectBlended(destination, before, source, mask);
        }
}

TEST(MaskImages, SourceAndMaskOfOtherSizesAreScaledToTheDestination)
{
    // A flat source stays flat when scaled; the black-white mask is sampled at the nearest pixel.
    Image destination = createImage(24, 8, 5, packRgb(10, 20, 30));
    Image mask(2, 1, 24);
    mask.rgbRow(0)[0] = packRgb(0, 0, 0);
    mask.rgbRow(0)[1] = packRgb(255, 255, 255);
    maskImages(destination, createImage(24, 3, 2, packRgb(200, 100, 50)), mask);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(destination.pixelColour(x, y), x < 4 ? packRgb(10, 20, 30) : packRgb(200, 100, 50))
                << x << "," << y;
}

TEST(MaskImages, OnePictureAsDestinationAndSourceStaysUnchangedAndMissingPicturesAreRefused)
{
    Image image = test::noisePicture(6, 6, 8), empty;
    const Image before = image, other = test::noisePicture(6, 6, 9);
    maskImages(image, image, other);
    EXPECT_TRUE(test::sameColours(image, before));
    EXPECT_THROW(maskImages(empty, other, other), ImageError);
    EXPECT_THROW(maskImages(image, Image(), other), ImageError);
    EXPECT_THROW(maskImages(image, other, Image()), ImageError);
}
