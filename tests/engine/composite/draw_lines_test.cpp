#include "engine/image/create_image.h"
#include "engine/ops/composite/draw_lines.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>
#include <vector>

using namespace vask;

namespace {

constexpr Rgb kWhite = packRgb(255, 255, 255);
constexpr Rgb kInk = packRgb(200, 0, 0);

Image whitePicture(int width, int height)
{
    return createImage(24, width, height, kWhite);
}

bool inked(const Image& image, int x, int y)
{
    return image.pixelColour(x, y) == kInk;
}

std::set<std::pair<int, int>> inkedPixels(const Image& image)
{
    std::set<std::pair<int, int>> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(image, x, y))
                pixels.insert({x, y});
    return pixels;
}

void draw(Image& image, std::vector<Point> points, int width, ArrowHeads arrows = ArrowHeads::None)
{
    drawLines(image, points, width, kInk, arrows);
}

bool mirroredLeftRight(const Image& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(image, x, y) != inked(image, image.width() - 1 - x, y))
                return false;
    return true;
}

bool mirroredTopBottom(const Image& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(image, x, y) != inked(image, x, image.height() - 1 - y))
                return false;
    return true;
}

} // namespace

TEST(DrawLines, ThinHorizontalLineSetsExactlyItsPixels)
{
    Image image = whitePicture(20, 10);
    draw(image, {{2, 5}, {15, 5}}, 1);
    std::set<std::pair<int, int>> expected;
    for (int x = 2; x <= 15; ++x)
        expected.insert({x, 5});
    EXPECT_EQ(inkedPixels(image), expected);
}

TEST(DrawLines, ThinLinesFollowBresenhamIncludingBothEnds)
{
    // Worked by hand: y = round(x x 2 / 5) with halves rounded away from the start.
    Image image = whitePicture(8, 8);
    draw(image, {{0, 0}, {5, 2}}, 1);
    EXPECT_EQ(inkedPixels(image),
              (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    // Steep and drawn upwards: x = 6 - round(t / 3) for y = 6 - t.
    Image steep = whitePicture(8, 8);
    draw(steep, {{6, 6}, {4, 0}}, 1);
    EXPECT_EQ(inkedPixels(steep),
              (std::set<std::pair<int, int>>{{6, 6}, {6, 5}, {5, 4}, {5, 3}, {5, 2}, {4, 1}, {4, 0}}));
}

TEST(DrawLines, ThinLinesAreConnectedAndOnePixelPerStep)
{
    std::mt19937 random(5);
    for (int i = 0; i < 200; ++i) {
        const Point a{int(random() % 40), int(random() % 30)};
        const Point b{int(random() % 40), int(random() % 30)};
        Image image = whitePicture(40, 30);
        draw(image, {a, b}, 1);
        const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        const auto pixels = inkedPixels(image);
        ASSERT_EQ(int(pixels.size()), steps + 1);
        ASSERT_TRUE(inked(image, a.x, a.y));
        ASSERT_TRUE(inked(image, b.x, b.y));
        for (const auto& [x, y] : pixels) {
            int neighbours = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    neighbours += (dx || dy) && pixels.count({x + dx, y + dy});
            ASSERT_TRUE(steps == 0 || neighbours >= 1);
        }
    }
}

TEST(DrawLines, WidthFiveVerticalLineCoversAFivePixelColumn)
{
    Image image = whitePicture(21, 31);
    draw(image, {{10, 5}, {10, 25}}, 5);
    for (int y = 5; y <= 25; ++y) {
        for (int x = 8; x <= 12; ++x)
            EXPECT_TRUE(inked(image, x, y)) << x << "," << y;
        EXPECT_FALSE(inked(image, 7, y)) << y;
        EXPECT_FALSE(inked(image, 13, y)) << y;
    }
    // Round caps reach half the width past each end, no further.
    EXPECT_TRUE(inked(image, 10, 3));
    EXPECT_FALSE(inked(image, 10, 2));
    EXPECT_TRUE(inked(image, 10, 27));
    EXPECT_FALSE(inked(image, 10, 28));
}

TEST(DrawLines, AxisAlignedLinesAreExactlyTheirWidthWide)
{
    for (int width = 2; width <= 9; ++width) {
        Image image = whitePicture(40, 40);
        draw(image, {{5, 20}, {34, 20}}, width);
        int rows = 0;
        for (int y = 0; y < 40; ++y)
            rows += inked(image, 20, y);
        EXPECT_EQ(rows, width);
    }
}

TEST(DrawLines, ArrowHeadsAppearOnlyWhereAsked)
{
    // A 1-pixel line from (5, 10) to (35, 10): a head is 10 long and 4 to each side.
    auto drawn = [](ArrowHeads arrows) {
        Image image = whitePicture(41, 21);
        draw(image, {{5, 10}, {35, 10}}, 1, arrows);
        return image;
    };
    const Image none = drawn(ArrowHeads::None);
    const Image atEnd = drawn(ArrowHeads::AtEnd);
    const Image both = drawn(ArrowHeads::AtBothEnds);
    // Near the end, above and below the line: clean without a head, inked with one.
    EXPECT_FALSE(inked(none, 27, 7));
    EXPECT_FALSE(inked(none, 27, 13));
    EXPECT_TRUE(inked(atEnd, 27, 7));
    EXPECT_TRUE(inked(atEnd, 27, 13));
    EXPECT_TRUE(inked(atEnd, 35, 10));
    EXPECT_FALSE(inked(atEnd, 36, 10));
    // The start has a head only with AtBothEnds.
    EXPECT_FALSE(inked(atEnd, 13, 7));
    EXPECT_TRUE(inked(both, 13, 7));
    EXPECT_TRUE(inked(both, 13, 13));
    EXPECT_TRUE(mirroredLeftRight(both));
    EXPECT_TRUE(mirroredTopBottom(both));
    EXPECT_TRUE(mirroredTopBottom(atEnd));
}

TEST(DrawLines, WideArrowHeadsGrowWithTheWidthAndStaySymmetric)
{
    for (int width : {3, 5, 7}) {
        Image image = whitePicture(101, 61);
        draw(image, {{10, 30}, {90, 30}}, width, ArrowHeads::AtBothEnds);
        EXPECT_TRUE(mirroredLeftRight(image)) << width;
        EXPECT_TRUE(mirroredTopBottom(image)) << width;
        // Just behind the tip the head is wider than the line.
        int column = 0;
        for (int y = 0; y < 61; ++y)
            column += inked(image, 90 - 2 * width, y);
        EXPECT_GT(column, width);
        EXPECT_FALSE(inked(image, 91, 30));
    }
    // A diagonal line with both heads looks the same turned half a turn.
    Image diagonal = whitePicture(61, 61);
    draw(diagonal, {{10, 10}, {50, 50}}, 3, ArrowHeads::AtBothEnds);
    for (int y = 0; y < 61; ++y)
        for (int x = 0; x < 61; ++x)
            ASSERT_EQ(inked(diagonal, x, y), inked(diagonal, 60 - x, 60 - y)) << x << "," << y;
}

TEST(DrawLines, PolylineJoinsItsSegments)
{
    Image image = whitePicture(30, 30);
    draw(image, {{3, 3}, {20, 3}, {20, 25}}, 3);
    EXPECT_TRUE(inked(image, 21, 2)); // the outer corner is rounded, not cut
    EXPECT_TRUE(inked(image, 20, 14));
    EXPECT_TRUE(inked(image, 10, 3));
    EXPECT_FALSE(inked(image, 10, 14));
}

TEST(DrawLines, PointsFarOutsideAreClippedWithoutHanging)
{
    Image image = whitePicture(50, 40);
    draw(image, {{-100000, -100000}, {100000, 100000}}, 1);
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(inked(image, i, i)) << i;
    EXPECT_EQ(inkedPixels(image).size(), 40u);

    Image wide = whitePicture(50, 40);
    draw(wide, {{-100000, 20}, {100000, 20}}, 5, ArrowHeads::AtBothEnds);
    for (int x = 0; x < 50; ++x)
        EXPECT_TRUE(inked(wide, x, 18) && inked(wide, x, 22) && !inked(wide, x, 17)) << x;

    Image extreme = whitePicture(50, 40);
    draw(extreme, {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}}, 1, ArrowHeads::AtBothEnds);
    draw(extreme, {{INT_MIN, 0}, {INT_MAX, 39}}, 9, ArrowHeads::AtEnd);
    draw(extreme, {{0, 0}, {10, 10}}, INT_MAX);
    SUCCEED();
}

TEST(DrawLines, ClippedLongLineMatchesTheSameLineDrawnWhole)
{
    // The line (-10000, 2) to (10000, 9) seen through a 100-pixel window equals the part of
    // the same line, moved right by 10000, drawn in a picture wide enough to hold all of it.
    Image window = whitePicture(100, 12);
    draw(window, {{-10000, 2}, {10000, 9}}, 1);
    Image whole = whitePicture(20001, 12);
    draw(whole, {{0, 2}, {20000, 9}}, 1);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(inked(window, x, y), inked(whole, 10000 + x, y)) << x << "," << y;
}

TEST(DrawLines, ZeroLengthSegmentsDrawADot)
{
    Image thin = whitePicture(11, 11);
    draw(thin, {{5, 5}, {5, 5}}, 1, ArrowHeads::AtBothEnds);
    EXPECT_EQ(inkedPixels(thin), (std::set<std::pair<int, int>>{{5, 5}}));
    Image single = whitePicture(11, 11);
    draw(single, {{5, 5}}, 1);
    EXPECT_EQ(inkedPixels(single), (std::set<std::pair<int, int>>{{5, 5}}));
    // Width 5: a disc of radius 2.5, rows of 3, 5, 5, 5, 3 pixels.
    Image wide = whitePicture(11, 11);
    draw(wide, {{5, 5}, {5, 5}, {5, 5}}, 5, ArrowHeads::AtEnd);
    EXPECT_EQ(inkedPixels(wide).size(), 21u);
    EXPECT_TRUE(inked(wide, 3, 4));
    EXPECT_FALSE(inked(wide, 3, 3));
    // A zero-length last segment still points the head along the segment before it.
    Image tail = whitePicture(41, 21);
    draw(tail, {{5, 10}, {35, 10}, {35, 10}}, 1, ArrowHeads::AtEnd);
    EXPECT_TRUE(inked(tail, 27, 7));
}

TEST(DrawLines, PalettePicturesDrawWithTheNearestEntry)
{
    Image image = createImage(4, 10, 3, packRgb(0, 0, 0));
    drawLines(image, std::vector<Point>{{0, 1}, {9, 1}}, 1, packRgb(245, 230, 245), ArrowHeads::None);
    for (int x = 0; x < 10; ++x) {
        EXPECT_EQ(image.pixelIndex(x, 1), 14); // 238 is nearer than 255
        EXPECT_EQ(image.pixelIndex(x, 0), 0);
    }
}

TEST(DrawLines, NoPointsChangeNothing)
{
    Image image = whitePicture(5, 5);
    drawLines(image, std::span<const Point>(), 3, kInk, ArrowHeads::AtBothEnds);
    EXPECT_TRUE(inkedPixels(image).empty());
}
