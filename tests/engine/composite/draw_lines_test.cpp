#include "engine/image/create_image.h"
#include "engine/ops/composite/draw_lines.h"
#include "engine/ops/geometry/mirror.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <utility>
#include <vector>

using namespace vask;

namespace {

constexpr Rgb kInk = packRgb(200, 0, 0);
using PixelSet = std::set<std::pair<int, int>>;

Image drawn(int width, int height, std::vector<Point> points, int lineWidth,
            ArrowHeads arrows = ArrowHeads::None)
{
    Image image = createImage(24, width, height, packRgb(255, 255, 255));
    drawLines(image, points, lineWidth, kInk, arrows);
    return image;
}

bool inked(const Image& image, int x, int y)
{
    return image.pixelColour(x, y) == kInk;
}

PixelSet inkedPixels(const Image& image)
{
    PixelSet pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (inked(image, x, y))
                pixels.insert({x, y});
    return pixels;
}

int inkedInColumn(const Image& image, int x)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        count += inked(image, x, y);
    return count;
}

// True when the ink looks the same mirrored left to right and/or top to bottom.
bool symmetric(const Image& image, bool acrossX, bool acrossY)
{
    Image mirrored = image;
    mirrorImage(mirrored, acrossX, acrossY);
    return inkedPixels(mirrored) == inkedPixels(image);
}

} // namespace

TEST(DrawLines, ThinLinesDotsAndNoPointsSetExactlyTheirPixels)
{
    const auto none = ArrowHeads::None, both = ArrowHeads::AtBothEnds;
    const struct {
        std::vector<Point> points;
        int width;
        ArrowHeads arrows;
        PixelSet expected;
    } cases[] = {
        {{{2, 5}, {8, 5}}, 1, none, {{2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}, {8, 5}}},
        // y = round(x x 2 / 5) with halves rounded away from the start.
        {{{0, 0}, {5, 2}}, 1, none, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}},
        // Steep and drawn upwards: x = 6 - round(t / 3) for y = 6 - t.
        {{{6, 6}, {4, 0}}, 1, none, {{6, 6}, {6, 5}, {5, 4}, {5, 3}, {5, 2}, {4, 1}, {4, 0}}},
        {{{5, 5}, {5, 5}}, 1, both, {{5, 5}}},
        {{{5, 5}}, 1, none, {{5, 5}}},
        {{}, 3, both, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(inkedPixels(drawn(11, 11, c.points, c.width, c.arrows)), c.expected)
            << c.points.size() << " points from " << (c.points.empty() ? 0 : c.points[0].x);
}

TEST(DrawLines, ThinLinesAreConnectedAndOnePixelPerStep)
{
    std::mt19937 random(5);
    for (int i = 0; i < 100; ++i) {
        const Point a{int(random() % 40), int(random() % 30)}, b{int(random() % 40), int(random() % 30)};
        const Image image = drawn(40, 30, {a, b}, 1);
        const int steps = std::max(std::abs(b.x - a.x), std::abs(b.y - a.y));
        const PixelSet pixels = inkedPixels(image);
        ASSERT_EQ(int(pixels.size()), steps + 1);
        ASSERT_TRUE(inked(image, a.x, a.y) && inked(image, b.x, b.y));
        for (const auto& [x, y] : pixels) {
            int neighbours = 0;
            for (int d = 0; d < 9; ++d)
                neighbours += d != 4 && pixels.count({x + d % 3 - 1, y + d / 3 - 1});
            ASSERT_TRUE(steps == 0 || neighbours >= 1);
        }
    }
}

TEST(DrawLines, WideLinesAreExactlyTheirWidthWithRoundCapsJoinsAndDots)
{
    for (int width = 2; width <= 9; ++width)
        EXPECT_EQ(inkedInColumn(drawn(40, 40, {{5, 20}, {34, 20}}, width), 20), width);
    // Width 5 is centred: columns 8 to 12; the caps reach half the width past each end.
    const Image image = drawn(21, 31, {{10, 5}, {10, 25}}, 5);
    for (int y = 5; y <= 25; ++y)
        for (int x = 7; x <= 13; ++x)
            EXPECT_EQ(inked(image, x, y), x >= 8 && x <= 12) << x << "," << y;
    EXPECT_TRUE(inked(image, 10, 3) && inked(image, 10, 27));
    EXPECT_FALSE(inked(image, 10, 2) || inked(image, 10, 28));
    const Image polyline = drawn(30, 30, {{3, 3}, {20, 3}, {20, 25}}, 3);
    EXPECT_TRUE(inked(polyline, 21, 2)); // the outer corner is rounded, not cut
    EXPECT_TRUE(inked(polyline, 20, 14) && inked(polyline, 10, 3));
    EXPECT_FALSE(inked(polyline, 10, 14));
    // Width 5: a disc of radius 2.5, rows of 3, 5, 5, 5, 3 pixels.
    const Image dot = drawn(11, 11, {{5, 5}, {5, 5}, {5, 5}}, 5, ArrowHeads::AtEnd);
    EXPECT_EQ(inkedPixels(dot).size(), 21u);
    EXPECT_TRUE(inked(dot, 3, 4));
    EXPECT_FALSE(inked(dot, 3, 3));
}

TEST(DrawLines, ArrowHeadsAppearOnlyWhereAskedGrowWithTheWidthAndStaySymmetric)
{
    // Heads are max(10, 4 w) long, max(4, 2 w) to each side: wider than the line 3 w from the tip.
    const std::vector<Point> line = {{10, 30}, {90, 30}};
    for (int width : {1, 3, 5, 7}) {
        const Image none = drawn(101, 61, line, width),
                    atEnd = drawn(101, 61, line, width, ArrowHeads::AtEnd);
        const Image both = drawn(101, 61, line, width, ArrowHeads::AtBothEnds);
        EXPECT_EQ(inkedInColumn(none, 90 - 3 * width), width);
        EXPECT_GT(inkedInColumn(atEnd, 90 - 3 * width), width);
        EXPECT_EQ(inkedInColumn(atEnd, 10 + 3 * width), width);
        EXPECT_GT(inkedInColumn(both, 10 + 3 * width), width);
        EXPECT_TRUE(inked(atEnd, 90, 30) && !inked(atEnd, 91, 30) && !inked(both, 9, 30));
        EXPECT_TRUE(symmetric(both, true, false) && symmetric(both, false, true) &&
                    symmetric(atEnd, false, true))
            << width;
        // A zero-length last segment still points the head along the segment before it.
        EXPECT_EQ(inkedPixels(drawn(101, 61, {{10, 30}, {90, 30}, {90, 30}}, width, ArrowHeads::AtEnd)),
                  inkedPixels(atEnd));
    }
    // Width 1: 8 pixels behind the tip the head is 3.2 to each side; its base is 10 behind.
    const Image thin = drawn(101, 61, line, 1, ArrowHeads::AtEnd);
    EXPECT_EQ(inkedInColumn(thin, 82), 7);
    EXPECT_EQ(inkedInColumn(thin, 79), 1);
    // A diagonal line with both heads looks the same turned half a turn.
    EXPECT_TRUE(symmetric(drawn(61, 61, {{10, 10}, {50, 50}}, 3, ArrowHeads::AtBothEnds), true, true));
}

TEST(DrawLines, PointsFarOutsideAreClippedLikeTheWholeLineWithoutHanging)
{
    // (-10000, 2) to (10000, 9) seen through a 100-pixel window equals the line drawn whole.
    const Image window = drawn(100, 12, {{-10000, 2}, {10000, 9}}, 1);
    const Image whole = drawn(20001, 12, {{0, 2}, {20000, 9}}, 1);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(inked(window, x, y), inked(whole, 10000 + x, y)) << x << "," << y;
    // Coordinates whose squares overflow 32 bits.
    const PixelSet thin = inkedPixels(drawn(50, 40, {{-100000, -100000}, {100000, 100000}}, 1));
    EXPECT_EQ(thin.size(), 40u);
    for (int i = 0; i < 40; ++i)
        EXPECT_TRUE(thin.count({i, i})) << i;
    const Image wide = drawn(50, 40, {{-100000, 20}, {100000, 20}}, 5, ArrowHeads::AtBothEnds);
    for (int x = 0; x < 50; ++x)
        EXPECT_TRUE(inked(wide, x, 18) && inked(wide, x, 22) && !inked(wide, x, 17)) << x;
    drawn(50, 40, {{INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, {INT_MIN, INT_MAX}}, 1, ArrowHeads::AtBothEnds);
    drawn(50, 40, {{INT_MIN, 0}, {INT_MAX, 39}}, 9, ArrowHeads::AtEnd);
    drawn(50, 40, {{0, 0}, {10, 10}}, INT_MAX);
}

TEST(DrawLines, PalettePicturesDrawWithTheNearestEntry)
{
    Image image = createImage(4, 10, 3, packRgb(0, 0, 0));
    drawLines(image, std::vector<Point>{{0, 1}, {9, 1}}, 1, packRgb(245, 230, 245), ArrowHeads::None);
    for (int i = 0; i < 30; ++i) // 238 (entry 14) is nearer than 255
        EXPECT_EQ(image.pixelIndex(i % 10, i / 10), i / 10 == 1 ? 14 : 0) << i;
}
