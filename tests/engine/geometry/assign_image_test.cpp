#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/geometry/assign_image.h"
#include "engine/ops/geometry/resample.h"
#include "tests/engine/geometry/hand_pictures.h"

#include <gtest/gtest.h>
#include <random>
#include <vector>

using namespace vask;
using test::handPicture;
using test::handValues;

namespace {

constexpr auto kReplace = AssignMode::TotalReplacement;
constexpr auto kUnion = AssignMode::UnionComposite;
constexpr auto kIntersection = AssignMode::IntersectionComposite;
constexpr auto kResize = AssignMode::ResizeComposite;
constexpr auto kStretch = ResizeMode::ReplicateFloatingAspect;
constexpr auto kHighStretch = ResizeMode::ResampleFloatingAspect;
constexpr std::nullopt_t kWhole = std::nullopt;
constexpr Rgb kBlack = packRgb(0, 0, 0), kGrey99 = packRgb(99, 99, 99);

// Assigns into a copy of target and compares the values (handValues) with expected.
void expectAssigned(const char* what, Image target, std::optional<Rect> targetArea, const Image& source,
                    std::optional<Rect> sourceArea, AssignMode mode, ResizeMode resize,
                    std::vector<int> expected)
{
    const int depth = target.depth();
    assignImage(target, targetArea, source, sourceArea, mode, resize);
    EXPECT_EQ(target.depth(), depth) << what;
    EXPECT_EQ(handValues(target), expected) << what;
}

} // namespace

TEST(AssignImage, HandWorkedCasesGiveTheExpectedPixels)
{
    const Image zeros5x3 = createImage(24, 5, 3, kBlack), nines = handPicture(5, 1, 24, {9, 9, 9, 9, 9});
    const Image source3x2 = handPicture(3, 2, 24, {1, 2, 3, 4, 5, 6}),
                source3x1 = handPicture(3, 1, 24, {1, 2, 3});
    const Image pair = handPicture(2, 1, 24, {10, 20});
    expectAssigned("the area reaches past the right edge", zeros5x3, Rect{3, 1, 4, 4}, source3x2, kWhole,
                   kReplace, kStretch, {0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 4, 5});
    expectAssigned("a target area smaller than the source takes its own size", zeros5x3, Rect{0, 0, 2, 1},
                   source3x2, Rect{1, 0, 2, 2}, kReplace, kStretch,
                   {2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    expectAssigned("source column 0 lands on area column 2", nines, Rect{0, 0, 5, 1}, source3x1,
                   Rect{-2, 0, 5, 1}, kReplace, kStretch, {9, 9, 1, 2, 3});
    expectAssigned("source column 2 lands on target column 0", nines, Rect{-2, 0, 5, 1}, source3x1, kWhole,
                   kReplace, kStretch, {3, 9, 9, 9, 9});
    const Image indices = handPicture(3, 1, 4, {0b1000, 0b0110, 0b0000});
    expectAssigned("same palettes: indices OR", indices, kWhole,
                   handPicture(3, 1, 4, {0b0011, 0b0101, 0b1111}), kWhole, kUnion, kStretch,
                   {0b1011, 0b0111, 0b1111});
    expectAssigned("same palettes: indices AND", indices, kWhole,
                   handPicture(3, 1, 4, {0b0011, 0b0101, 0b1111}), kWhole, kIntersection, kStretch,
                   {0b0000, 0b0100, 0});
    expectAssigned("replicating stretch", createImage(24, 4, 4, kBlack), kWhole,
                   handPicture(2, 2, 24, {10, 20, 30, 40}), kWhole, kResize, kStretch,
                   {10, 10, 20, 20, 10, 10, 20, 20, 30, 30, 40, 40, 30, 30, 40, 40});
    expectAssigned("2 x 1 fitted into 4 x 4 is 4 x 2 on rows 1 and 2", createImage(24, 4, 4, kGrey99), kWhole,
                   pair, kWhole, kResize, ResizeMode::ReplicateFixedAspect,
                   {99, 99, 99, 99, 10, 10, 20, 20, 10, 10, 20, 20, 99, 99, 99, 99});
    expectAssigned("resize into a target area", createImage(24, 5, 4, kBlack), Rect{1, 1, 4, 2}, pair, kWhole,
                   kResize, kStretch, {0, 0, 0, 0, 0, 0, 10, 10, 20, 20, 0, 10, 10, 20, 20, 0, 0, 0, 0, 0});
    expectAssigned("a target area sticking out is placed, then clipped", createImage(24, 5, 1, kBlack),
                   Rect{-2, 0, 4, 1}, pair, kWhole, kResize, kStretch, {20, 20, 0, 0, 0});
    expectAssigned("resampled fixed aspect leaves the rows it does not cover", createImage(24, 2, 3, kGrey99),
                   kWhole, handPicture(4, 2, 24, {60, 60, 60, 60, 60, 60, 60, 60}), kWhole, kResize,
                   ResizeMode::ResampleFixedAspect, {99, 99, 60, 60, 99, 99});
    expectAssigned("a zoom left of the source shows black there", createImage(24, 16, 1, kGrey99), kWhole,
                   createImage(24, 4, 4, packRgb(255, 255, 255)), Rect{-4, 1, 8, 1}, kResize, kStretch,
                   {0, 0, 0, 0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 255, 255});
    // 8-bit grey ramp: entry g is grey g; (100, 104, 96) is nearest to 100, and 100 | 3 = 103.
    Image colours(3, 1, 24);
    colours.rgbRow(0)[0] = packRgb(100, 104, 96);
    colours.rgbRow(0)[1] = packRgb(3, 3, 3);
    colours.rgbRow(0)[2] = packRgb(255, 250, 255);
    expectAssigned("nearest grey entries", createImage(8, 3, 1, kBlack), Rect{0, 0, 3, 1}, colours, kWhole,
                   kReplace, kStretch, {100, 3, 253});
    expectAssigned("union of nearest indices", handPicture(1, 1, 8, {3}), kWhole, colours, kWhole, kUnion,
                   kStretch, {103});
    // Pure red or blue into a 4-bit grey ramp: (255 - g)^2 + 2 g^2 is least at g = 85, entry 5.
    Image redBlue = handPicture(2, 1, 1, {0, 1});
    redBlue.setPalette({packRgb(255, 0, 0), packRgb(0, 0, 255)});
    expectAssigned("red and blue in grey", createImage(4, 2, 1, kBlack), Rect{0, 0, 2, 1}, redBlue, kWhole,
                   kReplace, kStretch, {5, 5});
    expectAssigned("resampling into a palette", createImage(8, 6, 6, kBlack), kWhole,
                   createImage(24, 3, 3, packRgb(120, 121, 119)), kWhole, kResize, kHighStretch,
                   std::vector<int>(36, 120));
    Image trueColour = createImage(24, 2, 1, kBlack);
    assignImage(trueColour, Rect{0, 0, 2, 1}, redBlue, std::nullopt, kReplace, kStretch);
    EXPECT_EQ(trueColour.pixelColour(0, 0), packRgb(255, 0, 0));
    EXPECT_EQ(trueColour.pixelColour(1, 0), packRgb(0, 0, 255));
    // Union and intersection combine 24-bit pixels channel by channel, bit by bit.
    const Image a = test::noisePicture(5, 3, 1), b = test::noisePicture(5, 3, 2);
    Image ored = a, anded = a;
    assignImage(ored, kWhole, b, kWhole, kUnion, kStretch);
    assignImage(anded, kWhole, b, kWhole, kIntersection, kStretch);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(ored.pixelColour(i % 5, i / 5), a.pixelColour(i % 5, i / 5) | b.pixelColour(i % 5, i / 5));
        EXPECT_EQ(anded.pixelColour(i % 5, i / 5), a.pixelColour(i % 5, i / 5) & b.pixelColour(i % 5, i / 5));
    }
}

TEST(AssignImage, TotalReplacementWithoutTargetSelectionBecomesTheSourceAreaClippedToTheSource)
{
    const Image source = test::palettePicture(7, 6, 4, 2);
    // A source area, one reaching outside, none (and then no target is needed either).
    for (const auto& [area, clipped] : {std::pair{std::optional<Rect>(Rect{2, 1, 3, 4}), Rect{2, 1, 3, 4}},
                                        {Rect{-3, 4, 5, 10}, Rect{0, 4, 2, 2}},
                                        {std::nullopt, Rect{0, 0, 7, 6}}}) {
        Image target = area ? test::noisePicture(5, 5, 1) : Image();
        assignImage(target, std::nullopt, source, area, kReplace, kStretch);
        ASSERT_EQ(target.width(), clipped.width);
        ASSERT_EQ(target.height(), clipped.height);
        EXPECT_EQ(target.depth(), 4);
        EXPECT_EQ(target.palette(), source.palette());
        for (int y = 0; y < clipped.height; ++y)
            for (int x = 0; x < clipped.width; ++x)
                EXPECT_EQ(target.pixelIndex(x, y), source.pixelIndex(clipped.left + x, clipped.top + y));
    }
}

TEST(AssignImage, ResamplingResizeEqualsResampleImageAndAZoomLeftOfTheSourceShowsBlackFromAnyDepth)
{
    // The resample page: a new picture of the wanted size, then a stretching resize into it.
    const Image source = test::noisePicture(37, 23, 12);
    for (const auto& [width, height] : {std::pair{50, 11}, std::pair{12, 40}, std::pair{37, 23}}) {
        Image target = createImage(24, width, height, packRgb(255, 255, 255));
        assignImage(target, std::nullopt, source, std::nullopt, kResize, kHighStretch);
        EXPECT_TRUE(test::sameColours(target, resampleImage(source, width, height, ResampleQuality::High)))
            << width << " x " << height;
    }
    // The zoom asks for an area that starts 4 pixels left of a white 4 x 4 picture.
    Image high = createImage(24, 16, 8, packRgb(7, 7, 7)), fromPalette = high;
    assignImage(high, std::nullopt, createImage(24, 4, 4, packRgb(255, 255, 255)), Rect{-4, 0, 8, 4}, kResize,
                kHighStretch);
    for (int y = 0; y < 8; ++y)
        EXPECT_TRUE(high.pixelColour(0, y) == kBlack && high.pixelColour(15, y) == packRgb(255, 255, 255) &&
                    greenOf(high.pixelColour(7, y)) < 128 && greenOf(high.pixelColour(8, y)) > 128)
            << y;
    assignImage(fromPalette, std::nullopt, createImage(4, 4, 4, packRgb(255, 255, 255)), Rect{-4, 0, 8, 4},
                kResize, kHighStretch);
    EXPECT_TRUE(test::sameColours(fromPalette, high));
}

TEST(AssignImage, SourceAndTargetMayBeOnePicture)
{
    Image image = handPicture(6, 1, 24, {0, 1, 2, 3, 4, 5});
    assignImage(image, Rect{2, 0, 4, 1}, image, Rect{0, 0, 4, 1}, kReplace, kStretch);
    EXPECT_EQ(handValues(image), (std::vector<int>{0, 1, 0, 1, 2, 3}));
    assignImage(image, std::nullopt, image, Rect{1, 0, 3, 1}, kReplace, kStretch);
    EXPECT_EQ(handValues(image), (std::vector<int>{1, 0, 1}));
}

TEST(AssignImage, RefusesWhatItCannotDo)
{
    const Image source = test::noisePicture(3, 3, 1);
    Image target = test::noisePicture(3, 3, 2), empty;
    EXPECT_THROW(assignImage(target, kWhole, Image(), kWhole, kReplace, kStretch), ImageError);
    EXPECT_THROW(assignImage(empty, Rect{0, 0, 1, 1}, source, kWhole, kReplace, kStretch), ImageError);
    EXPECT_THROW(assignImage(empty, kWhole, source, kWhole, kUnion, kStretch), ImageError);
    EXPECT_THROW(assignImage(target, kWhole, source, kWhole, static_cast<AssignMode>(4), kStretch),
                 ImageError);
    EXPECT_THROW(assignImage(target, kWhole, source, kWhole, kResize, static_cast<ResizeMode>(-1)),
                 ImageError);
    EXPECT_THROW(assignImage(target, Rect{0, 0, 100000, 1}, source, kWhole, kResize, kStretch), ImageError);
}

TEST(AssignImage, RandomSelectionsTouchOnlyTheTargetAreaAndNothingWhenEitherAreaMissesItsPicture)
{
    std::mt19937 random(21);
    auto randomRect = [&](const Image& image) {
        const int w = image.width(), h = image.height();
        return Rect{int(random() % (2 * w + 10)) - w - 5, int(random() % (2 * h + 10)) - h - 5,
                    int(random() % (w + 9)) - 1, int(random() % (h + 9)) - 1};
    };
    auto misses = [](const Rect& r, const Image& image) {
        return r.isEmpty() || r.left >= image.width() || r.top >= image.height() || r.left + r.width <= 0 ||
               r.top + r.height <= 0;
    };
    auto randomPicture = [&](int seed) {
        const int depths[] = {1, 4, 8, 24};
        return test::pictureOfDepth(depths[random() % 4], 1 + random() % 12, 1 + random() % 9, seed);
    };
    for (int i = 0; i < 200; ++i) {
        const Image original = randomPicture(i), source = randomPicture(i + 1);
        const Rect area = randomRect(original);
        const auto sourceArea = random() % 3 ? std::optional<Rect>(randomRect(source)) : std::nullopt;
        const bool untouched = misses(area, original) || (sourceArea && misses(*sourceArea, source));
        Image target = original;
        assignImage(target, area, source, sourceArea, AssignMode(random() % 4), ResizeMode(random() % 4));
        ASSERT_EQ(target.width(), original.width());
        ASSERT_EQ(target.depth(), original.depth());
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x) {
                const bool inside = x >= area.left && x - area.left < area.width && y >= area.top &&
                                    y - area.top < area.height;
                ASSERT_TRUE((inside && !untouched) || target.pixelColour(x, y) == original.pixelColour(x, y))
                    << "case " << i << " at " << x << "," << y;
            }
    }
}
