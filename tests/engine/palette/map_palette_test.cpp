#include "engine/ops/palette/map_palette.h"

#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <climits>

namespace vask {
namespace {

using test::noisePicture;
using test::palettePicture;
using test::sameColours;

int bruteForceNearest(const std::vector<Rgb>& palette, Rgb colour)
{
    int best = 0;
    long bestDistance = LONG_MAX;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = long(redOf(palette[i])) - long(redOf(colour));
        const long dg = long(greenOf(palette[i])) - long(greenOf(colour));
        const long db = long(blueOf(palette[i])) - long(blueOf(colour));
        const long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    return best;
}

void expectNearestEverywhere(const Image& mapped, const Image& source)
{
    for (int y = 0; y < mapped.height(); ++y)
        for (int x = 0; x < mapped.width(); ++x)
            ASSERT_EQ(mapped.pixelIndex(x, y), bruteForceNearest(mapped.palette(), source.pixelColour(x, y)))
                << "pixel " << x << "," << y;
}

class MapPaletteOntoItself : public ::testing::TestWithParam<int> {};

TEST_P(MapPaletteOntoItself, KeepsEveryPixel)
{
    Image image = palettePicture(45, 31, GetParam(), 8);
    // Duplicate entries must not change what a pixel shows.
    if (image.palette().size() > 2)
        image.setPaletteEntry(2, image.paletteEntry(0));
    const Image source = image;
    mapPalette(image, image);
    EXPECT_EQ(image.depth(), source.depth());
    EXPECT_EQ(image.palette(), source.palette());
    EXPECT_TRUE(sameColours(image, source));
}

INSTANTIATE_TEST_SUITE_P(PaletteDepths, MapPaletteOntoItself, ::testing::Values(1, 4, 8));

TEST(MapPalette, TrueColourOntoASixteenColourPictureTakesTheNearestEntries)
{
    const Image target = palettePicture(3, 3, 4, 15);
    const Image source = noisePicture(71, 33, 16);
    Image image = source;
    mapPalette(image, target);
    EXPECT_EQ(image.depth(), 4);
    EXPECT_EQ(image.palette(), target.palette());
    expectNearestEverywhere(image, source);
}

TEST(MapPalette, PalettePicturesMapBetweenDepths)
{
    const std::pair<int, int> cases[] = {{8, 1}, {8, 4}, {4, 8}, {1, 8}, {4, 4}};
    for (const auto& [from, to] : cases) {
        const Image source = palettePicture(23, 17, from, 30u + from);
        const Image target = palettePicture(2, 2, to, 40u + to);
        Image image = source;
        mapPalette(image, target);
        EXPECT_EQ(image.depth(), to);
        EXPECT_EQ(image.palette(), target.palette());
        expectNearestEverywhere(image, source);
    }
}

TEST(MapPalette, ATrueColourSourceChangesNothing)
{
    for (const int depth : {8, 24}) {
        const Image source = depth == 24 ? noisePicture(9, 9, 2) : palettePicture(9, 9, 8, 2);
        Image image = source;
        mapPalette(image, noisePicture(4, 4, 3));
        EXPECT_EQ(image.depth(), depth);
        EXPECT_TRUE(sameColours(image, source));
    }
}

TEST(MapPalette, NullPicturesAreLeftAlone)
{
    Image null;
    mapPalette(null, palettePicture(2, 2, 4, 1));
    EXPECT_TRUE(null.isNull());
    Image image = palettePicture(3, 3, 4, 1);
    const Image source = image;
    mapPalette(image, Image());
    EXPECT_TRUE(sameColours(image, source));
}

} // namespace
} // namespace vask
