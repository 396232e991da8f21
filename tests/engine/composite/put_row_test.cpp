#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/composite/put_row.h"

#include <gtest/gtest.h>
#include <vector>

using namespace vask;

TEST(PutRow, TrueColourRowTakesItsLengthOfColoursWithTheTopByteSetAndRowsOutsideAreRefused)
{
    // Four colours for three pixels: the last is ignored; the other row stays.
    Image image = createImage(24, 3, 2, packRgb(1, 2, 3));
    const std::vector<Rgb> colours = {0x00123456u, packRgb(40, 50, 60), 0x7F000000u, packRgb(255, 0, 0)};
    putRow(image, 1, colours);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(image.rgbRow(1)[x], colours[x] | 0xFF000000u);
        EXPECT_EQ(image.pixelColour(x, 0), packRgb(1, 2, 3));
    }
    // A shorter array writes only its length, an empty one nothing.
    putRow(image, 0, std::vector<Rgb>{packRgb(9, 9, 9), packRgb(8, 8, 8)});
    putRow(image, 1, std::vector<Rgb>{});
    EXPECT_EQ(image.pixelColour(1, 0), packRgb(8, 8, 8));
    EXPECT_EQ(image.pixelColour(2, 0), packRgb(1, 2, 3));
    EXPECT_EQ(image.pixelColour(0, 1), 0xFF123456u);
    Image empty;
    EXPECT_THROW(putRow(image, -1, colours), ImageError);
    EXPECT_THROW(putRow(image, 2, colours), ImageError);
    EXPECT_THROW(putRow(empty, 0, colours), ImageError);
}

TEST(PutRow, PalettePicturesTakeTheNearestEntry)
{
    // Grey ramps: 1 bit (black, white), 4 bits (steps of 17), 8 bits (every level).
    const std::vector<Rgb> colours = {packRgb(100, 110, 90), packRgb(200, 200, 200), packRgb(0, 0, 8)};
    const struct {
        int depth;
        std::vector<int> expected;
    } cases[] = {{1, {0, 1, 0}}, {4, {6, 12, 0}}, {8, {100, 200, 3}}};
    for (const auto& c : cases) {
        Image image = createImage(c.depth, 3, 2, packRgb(0, 0, 0));
        putRow(image, 1, colours);
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(image.pixelIndex(x, 1), c.expected[x]) << c.depth << " bits, pixel " << x;
    }
}
