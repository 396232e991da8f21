#include "engine/ops/geometry/mirror.h"

#include "tests/engine/geometry/hand_pictures.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vask {
namespace {

class MirrorImage : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(MirrorImage, EveryPixelLandsOppositeAndMirroringTwiceRestores)
{
    const auto [depth, width] = GetParam();
    for (int height : {1, 2, 7, 40, 257}) {
        const Image original = test::pictureOfDepth(depth, width, height, 17u + width + height);
        for (const bool horizontal : {false, true})
            for (const bool vertical : {false, true}) {
                Image picture = original;
                mirrorImage(picture, horizontal, vertical);
                ASSERT_EQ(picture.depth(), depth);
                ASSERT_EQ(picture.palette(), original.palette());
                bool ok = picture.width() == width && picture.height() == height;
                for (int y = 0; ok && y < height; ++y)
                    for (int x = 0; ok && x < width; ++x) {
                        const int mx = horizontal ? width - 1 - x : x, my = vertical ? height - 1 - y : y;
                        ok = picture.pixelColour(mx, my) == original.pixelColour(x, y) &&
                             picture.pixelIndex(mx, my) == original.pixelIndex(x, y);
                    }
                mirrorImage(picture, horizontal, vertical);
                EXPECT_TRUE(ok && test::sameColours(picture, original))
                    << width << " x " << height << " h" << horizontal << " v" << vertical;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(DepthsAndWidths, MirrorImage,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24),
                                            ::testing::Values(1, 2, 3, 17, 64, 101, 301)));

TEST(Mirror, NullPictureStaysNull)
{
    Image none;
    mirrorImage(none, true, true);
    EXPECT_TRUE(none.isNull());
}

} // namespace
} // namespace vask
