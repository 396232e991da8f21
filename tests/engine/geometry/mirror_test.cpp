#include "engine/ops/geometry/mirror.h"

#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

namespace vask {
namespace {

Image pictureOfDepth(int depth, int width, int height, std::uint32_t seed)
{
    return depth == 24 ? test::noisePicture(width, height, seed)
                       : test::palettePicture(width, height, depth, seed);
}

class MirrorTwice : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(MirrorTwice, RestoresThePictureEachWay)
{
    const auto [depth, width] = GetParam();
    for (int height : {1, 2, 7, 40}) {
        const Image original = pictureOfDepth(depth, width, height, 17u + width + height);
        for (const auto& [horizontal, vertical] : {std::pair{true, false}, {false, true}, {true, true}}) {
            Image picture = original;
            mirrorImage(picture, horizontal, vertical);
            mirrorImage(picture, horizontal, vertical);
            EXPECT_EQ(picture.depth(), depth);
            EXPECT_TRUE(test::sameColours(picture, original))
                << width << " x " << height << " h" << horizontal << " v" << vertical;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DepthsAndWidths, MirrorTwice,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24),
                                            ::testing::Values(1, 2, 3, 17, 64, 101)));

TEST(Mirror, EveryPixelLandsOppositeOnALargePicture)
{
    const Image original = test::noisePicture(301, 257, 2);
    Image both = original, across = original, down = original;
    mirrorImage(both, true, true);
    mirrorImage(across, true, false);
    mirrorImage(down, false, true);
    bool ok = true;
    for (int y = 0; y < 257; ++y)
        for (int x = 0; x < 301; ++x) {
            ok = ok && both.pixelColour(300 - x, 256 - y) == original.pixelColour(x, y);
            ok = ok && across.pixelColour(300 - x, y) == original.pixelColour(x, y);
            ok = ok && down.pixelColour(x, 256 - y) == original.pixelColour(x, y);
        }
    EXPECT_TRUE(ok);
}

TEST(Mirror, ThreeByTwoByHand)
{
    // a b c      c b a (horizontal)   d e f (vertical)   f e d (both)
    // d e f      f e d                a b c              c b a
    const Rgb a = packRgb(1, 0, 0), b = packRgb(2, 0, 0), c = packRgb(3, 0, 0);
    const Rgb d = packRgb(4, 0, 0), e = packRgb(5, 0, 0), f = packRgb(6, 0, 0);
    Image picture(3, 2, 24);
    picture.rgbRow(0)[0] = a, picture.rgbRow(0)[1] = b, picture.rgbRow(0)[2] = c;
    picture.rgbRow(1)[0] = d, picture.rgbRow(1)[1] = e, picture.rgbRow(1)[2] = f;
    auto rows = [](const Image& image) {
        return std::vector<Rgb>{image.pixelColour(0, 0), image.pixelColour(1, 0), image.pixelColour(2, 0),
                                image.pixelColour(0, 1), image.pixelColour(1, 1), image.pixelColour(2, 1)};
    };
    Image h = picture, v = picture, hv = picture, none = picture;
    mirrorImage(h, true, false);
    mirrorImage(v, false, true);
    mirrorImage(hv, true, true);
    mirrorImage(none, false, false);
    EXPECT_EQ(rows(h), (std::vector<Rgb>{c, b, a, f, e, d}));
    EXPECT_EQ(rows(v), (std::vector<Rgb>{d, e, f, a, b, c}));
    EXPECT_EQ(rows(hv), (std::vector<Rgb>{f, e, d, c, b, a}));
    EXPECT_EQ(rows(none), (std::vector<Rgb>{a, b, c, d, e, f}));
}

TEST(Mirror, OnePixelAndNullPicturesAreUnchanged)
{
    Image dot(1, 1, 4);
    dot.row(0)[0] = 9;
    mirrorImage(dot, true, true);
    EXPECT_EQ(dot.pixelIndex(0, 0), 9);
    Image none;
    mirrorImage(none, true, true);
    EXPECT_TRUE(none.isNull());
}

TEST(Mirror, PalettePictureKeepsItsPaletteAndIndices)
{
    const Image original = test::palettePicture(5, 3, 8, 4);
    Image picture = original;
    mirrorImage(picture, true, false);
    EXPECT_EQ(picture.palette(), original.palette());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(picture.pixelIndex(4 - x, y), original.pixelIndex(x, y));
}

} // namespace
} // namespace vask
