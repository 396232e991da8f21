#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/composite/put_row.h"

#include <gtest/gtest.h>
#include <vector>

using namespace vask;

TEST(PutRow, TrueColourRowTakesTheColoursAndIgnoresThoseBeyondTheWidth)
{
    Image image = createImage(24, 3, 2, packRgb(1, 2, 3));
    const std::vector<Rgb> colours = {packRgb(10, 20, 30), packRgb(40, 50, 60), packRgb(70, 80, 90),
                                      packRgb(255, 0, 0)};
    putRow(image, 1, colours);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(image.pixelColour(x, 1), colours[x]);
        EXPECT_EQ(image.pixelColour(x, 0), packRgb(1, 2, 3));
    }
}

TEST(PutRow, ShortArrayWritesOnlyItsLength)
{
    Image image = createImage(24, 5, 1, packRgb(9, 9, 9));
    putRow(image, 0, std::vector<Rgb>{packRgb(1, 1, 1), packRgb(2, 2, 2)});
    EXPECT_EQ(image.pixelColour(1, 0), packRgb(2, 2, 2));
    EXPECT_EQ(image.pixelColour(2, 0), packRgb(9, 9, 9));
    putRow(image, 0, std::vector<Rgb>{});
    EXPECT_EQ(image.pixelColour(0, 0), packRgb(1, 1, 1));
}

TEST(PutRow, StoredPixelsAlwaysHaveTheTopByteSet)
{
    Image image(2, 1, 24);
    putRow(image, 0, std::vector<Rgb>{0x00123456u, 0x7F000000u});
    EXPECT_EQ(image.rgbRow(0)[0], 0xFF123456u);
    EXPECT_EQ(image.rgbRow(0)[1], 0xFF000000u);
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

TEST(PutRow, RowOutsideThePictureIsRefused)
{
    Image image = createImage(24, 4, 3, packRgb(0, 0, 0));
    const std::vector<Rgb> colours(4, packRgb(1, 1, 1));
    EXPECT_THROW(putRow(image, -1, colours), ImageError);
    EXPECT_THROW(putRow(image, 3, colours), ImageError);
    Image empty;
    EXPECT_THROW(putRow(empty, 0, colours), ImageError);
}
