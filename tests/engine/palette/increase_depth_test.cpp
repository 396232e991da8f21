#include "engine/ops/palette/increase_depth.h"

#include "engine/image/image_error.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

using test::palettePicture;
using test::sameColours;

class IncreaseDepthRaises : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(IncreaseDepthRaises, KeepsEveryColourAndIndex)
{
    const auto [from, to] = GetParam();
    const Image source = palettePicture(37, 13, from, 100u + from);
    Image image = source;
    increaseDepth(image, to);
    ASSERT_EQ(image.depth(), to);
    EXPECT_TRUE(sameColours(image, source));
    if (to == 24)
        return;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelIndex(x, y), source.pixelIndex(x, y));
    const int kept = 1 << from;
    for (int i = 0; i < (1 << to); ++i)
        EXPECT_EQ(image.paletteEntry(i), i < kept ? source.paletteEntry(i) : packRgb(0, 0, 0)) << i;
}

INSTANTIATE_TEST_SUITE_P(DepthPairs, IncreaseDepthRaises,
                         ::testing::Values(std::pair{1, 4}, std::pair{1, 8}, std::pair{1, 24},
                                           std::pair{4, 8}, std::pair{4, 24}, std::pair{8, 24}));

TEST(IncreaseDepth, ADepthAtOrBelowTheCurrentOneChangesNothing)
{
    const std::pair<int, int> cases[] = {{8, 8}, {8, 4}, {8, 1}, {4, 1}, {1, 1}, {24, 8}, {24, 24}};
    for (const auto& [from, to] : cases) {
        const Image source = from == 24 ? test::noisePicture(9, 7, 3) : palettePicture(9, 7, from, 3);
        Image image = source;
        increaseDepth(image, to);
        EXPECT_EQ(image.depth(), from);
        EXPECT_TRUE(sameColours(image, source));
        EXPECT_EQ(image.palette(), source.palette());
    }
}

TEST(IncreaseDepth, AnInvalidDepthIsRefused)
{
    for (const int depth : {-1, 0, 2, 3, 16, 32}) {
        Image image = palettePicture(4, 4, 1, 1);
        EXPECT_THROW(increaseDepth(image, depth), ImageError) << depth;
        EXPECT_EQ(image.depth(), 1);
    }
}

TEST(IncreaseDepth, OneByOneAndNullPicturesAreHandled)
{
    Image tiny = palettePicture(1, 1, 1, 4);
    const Image source = tiny;
    increaseDepth(tiny, 8);
    EXPECT_EQ(tiny.depth(), 8);
    EXPECT_TRUE(sameColours(tiny, source));
    Image null;
    increaseDepth(null, 24);
    EXPECT_TRUE(null.isNull());
}

} // namespace
} // namespace vask
