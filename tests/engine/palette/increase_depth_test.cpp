#include "engine/ops/palette/increase_depth.h"

#include "engine/image/image_error.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

using namespace test;

TEST(IncreaseDepth, RaisingKeepsEveryColourAndIndexAndADepthAtOrBelowTheCurrentOneChangesNothing)
{
    for (const int from : {1, 4, 8, 24})
        for (const int to : {1, 4, 8, 24})
            for (const auto& [w, h] : {std::pair{37, 13}, std::pair{1, 1}}) {
                const Image source =
                    from == 24 ? noisePicture(w, h, 3) : palettePicture(w, h, from, 100u + from);
                Image image = source;
                increaseDepth(image, to);
                const int depth = std::max(from, to);
                ASSERT_EQ(image.depth(), depth) << from << " to " << to;
                EXPECT_TRUE(sameColours(image, source)) << from << " to " << to;
                if (depth == 24)
                    continue;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        ASSERT_EQ(image.pixelIndex(x, y), source.pixelIndex(x, y));
                for (int i = 0; i < (1 << depth); ++i) // new entries are black
                    EXPECT_EQ(image.paletteEntry(i),
                              i < (1 << from) ? source.paletteEntry(i) : packRgb(0, 0, 0));
            }
}

TEST(IncreaseDepth, AnInvalidDepthIsRefusedAndANullPictureIsLeftAlone)
{
    for (const int depth : {-1, 0, 2, 3, 16, 32}) {
        Image image = palettePicture(4, 4, 1, 1);
        EXPECT_THROW(increaseDepth(image, depth), ImageError) << depth;
        EXPECT_EQ(image.depth(), 1);
    }
    Image null;
    increaseDepth(null, 24);
    EXPECT_TRUE(null.isNull());
}

} // namespace
} // namespace vask
