#include "engine/ops/palette/map_palette.h"

#include "tests/engine/palette/palette_checks.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

using namespace test;

TEST(MapPalette, PixelsOfAnyDepthTakeTheNearestEntryOfTheTargetPalette)
{
    const std::pair<int, int> cases[] = {{24, 4}, {8, 1}, {8, 4}, {4, 8}, {1, 8}, {4, 4}};
    for (const auto& [from, to] : cases) {
        const Image source = from == 24 ? noisePicture(71, 33, 16) : palettePicture(23, 17, from, 30u + from);
        const Image target = palettePicture(2, 2, to, 40u + to);
        Image image = source;
        mapPalette(image, target);
        EXPECT_EQ(image.depth(), to);
        EXPECT_EQ(image.palette(), target.palette());
        expectNearestEverywhere(image, source);
    }
}

TEST(MapPalette, ThePictureItselfATrueColourOrANullTargetChangeNothing)
{
    for (const int depth : {1, 4, 8, 24}) {
        Image source = depth == 24 ? noisePicture(45, 31, 2) : palettePicture(45, 31, depth, 8);
        if (depth == 4 || depth == 8) // duplicate entries must not change what a pixel shows
            source.setPaletteEntry(2, source.paletteEntry(0));
        const Image others[2] = {noisePicture(4, 4, 3), Image()};
        for (int target = 0; target < 3; ++target) {
            Image image = source;
            mapPalette(image, target == 2 ? image : others[target]);
            EXPECT_EQ(image.depth(), depth);
            EXPECT_EQ(image.palette(), source.palette());
            EXPECT_TRUE(sameColours(image, source)) << depth;
        }
    }
    Image null;
    mapPalette(null, palettePicture(2, 2, 4, 1));
    EXPECT_TRUE(null.isNull());
}

} // namespace
} // namespace vask
