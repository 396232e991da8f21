#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/geometry/assign_image.h"
#include "engine/ops/geometry/resample.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>
#include <initializer_list>
#include <random>
#include <vector>

using namespace vask;

namespace {

// Grey levels row by row: a 24-bit picture whose pixel values are easy to write by hand.
Image greyPicture(int width, int height, std::initializer_list<int> levels)
{
    Image image(width, height, 24);
    auto level = levels.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, ++level)
            image.rgbRow(y)[x] = packRgb(*level, *level, *level);
    return image;
}

Image indexPicture(int width, int height, int depth, std::initializer_list<int> indices)
{
    Image image(width, height, depth);
    auto index = indices.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x, ++index)
            image.row(y)[x] = static_cast<std::uint8_t>(*index);
    return image;
}

std::vector<int> greyLevels(const Image& image)
{
    std::vector<int> levels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            levels.push_back(int(greenOf(image.pixelColour(x, y))));
    return levels;
}

std::vector<int> indices(const Image& image)
{
    std::vector<int> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.push_back(image.pixelIndex(x, y));
    return out;
}

constexpr auto kReplace = AssignMode::TotalReplacement;
constexpr auto kUnion = AssignMode::UnionComposite;
constexpr auto kIntersection = AssignMode::IntersectionComposite;
constexpr auto kResize = AssignMode::ResizeComposite;
constexpr auto kAnyResize = ResizeMode::ReplicateFloatingAspect;

} // namespace

TEST(AssignImage, TotalReplacementWithoutTargetSelectionTakesTheSourceArea)
{
    Image target = test::noisePicture(5, 5, 1);
    const Image source = test::palettePicture(7, 6, 4, 2);
    assignImage(target, std::nullopt, source, Rect{2, 1, 3, 4}, kReplace, kAnyResize);
    ASSERT_EQ(target.width(), 3);
    ASSERT_EQ(target.height(), 4);
    EXPECT_EQ(target.depth(), 4);
    EXPECT_EQ(target.palette(), source.palette());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(target.pixelIndex(x, y), source.pixelIndex(2 + x, 1 + y));

    // A source selection reaching outside is clipped to the source first.
    assignImage(target, std::nullopt, source, Rect{-3, 4, 5, 10}, kReplace, kAnyResize);
    EXPECT_EQ(target.width(), 2);
    EXPECT_EQ(target.height(), 2);
    EXPECT_EQ(target.pixelIndex(1, 1), source.pixelIndex(1, 5));

    // Without any selection the target becomes a copy of the source.
    assignImage(target, std::nullopt, source, std::nullopt, kReplace, kAnyResize);
    EXPECT_TRUE(test::sameColours(target, source));
}

TEST(AssignImage, TotalReplacementIntoASelectionCopiesOneToOneAndClips)
{
    Image target = greyPicture(5, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const Image source = greyPicture(3, 2, {1, 2, 3, 4, 5, 6});
    // The selection reaches past the right edge: columns 3 and 4 take source columns 0 and 1.
    assignImage(target, Rect{3, 1, 4, 4}, source, std::nullopt, kReplace, kAnyResize);
    EXPECT_EQ(greyLevels(target), (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 0, 0, 0, 4, 5}));
    // A target selection smaller than the source takes only its own size.
    target.fill(packRgb(0, 0, 0));
    assignImage(target, Rect{0, 0, 2, 1}, source, Rect{1, 0, 2, 2}, kReplace, kAnyResize);
    EXPECT_EQ(greyLevels(target), (std::vector<int>{2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(AssignImage, SelectionsLeftOfThePictureKeepTheCornersTogether)
{
    // Source selection starting at -2: source column 0 lands on target area column 2.
    Image target = greyPicture(5, 1, {9, 9, 9, 9, 9});
    const Image source = greyPicture(3, 1, {1, 2, 3});
    assignImage(target, Rect{0, 0, 5, 1}, source, Rect{-2, 0, 5, 1}, kReplace, kAnyResize);
    EXPECT_EQ(greyLevels(target), (std::vector<int>{9, 9, 1, 2, 3}));
    // Target selection starting at -2: source column 2 lands on target column 0.
    target.fill(packRgb(9, 9, 9));
    assignImage(target, Rect{-2, 0, 5, 1}, source, std::nullopt, kReplace, kAnyResize);
    EXPECT_EQ(greyLevels(target), (std::vector<int>{3, 9, 9, 9, 9}));
}

TEST(AssignImage, UnionAndIntersectionCombineTrueColourWords)
{
    const Image source = greyPicture(2, 2, {0x0F, 0xF0, 0x55, 0xFF});
    Image orTarget = greyPicture(2, 2, {0x30, 0x0C, 0xAA, 0x00});
    Image andTarget = orTarget;
    assignImage(orTarget, std::nullopt, source, std::nullopt, kUnion, kAnyResize);
    assignImage(andTarget, std::nullopt, source, std::nullopt, kIntersection, kAnyResize);
    EXPECT_EQ(greyLevels(orTarget), (std::vector<int>{0x3F, 0xFC, 0xFF, 0xFF}));
    EXPECT_EQ(greyLevels(andTarget), (std::vector<int>{0x00, 0x00, 0x00, 0x00}));
    // Channels combine independently.
    Image target(1, 1, 24);
    target.rgbRow(0)[0] = packRgb(0x81, 0x42, 0x24);
    Image single(1, 1, 24);
    single.rgbRow(0)[0] = packRgb(0x01, 0xC0, 0x0F);
    Image anded = target;
    assignImage(target, std::nullopt, single, std::nullopt, kUnion, kAnyResize);
    assignImage(anded, std::nullopt, single, std::nullopt, kIntersection, kAnyResize);
    EXPECT_EQ(target.pixelColour(0, 0), packRgb(0x81, 0xC2, 0x2F));
    EXPECT_EQ(anded.pixelColour(0, 0), packRgb(0x01, 0x40, 0x04));
}

TEST(AssignImage, UnionAndIntersectionCombinePaletteIndices)
{
    // Same palette (the grey ramp): the raw indices combine.
    const Image source = indexPicture(3, 1, 4, {0b0011, 0b0101, 0b1111});
    Image orTarget = indexPicture(3, 1, 4, {0b1000, 0b0110, 0b0000});
    Image andTarget = orTarget;
    assignImage(orTarget, std::nullopt, source, std::nullopt, kUnion, kAnyResize);
    assignImage(andTarget, std::nullopt, source, std::nullopt, kIntersection, kAnyResize);
    EXPECT_EQ(indices(orTarget), (std::vector<int>{0b1011, 0b0111, 0b1111}));
    EXPECT_EQ(indices(andTarget), (std::vector<int>{0b0000, 0b0100, 0b0000}));
}

TEST(AssignImage, TrueColourSourceMeetsAPaletteTargetAtTheNearestEntry)
{
    // 8-bit grey ramp: grey level g is entry g; (100, 104, 96) is nearest to 100.
    Image target = createImage(8, 3, 1, packRgb(0, 0, 0));
    Image source(3, 1, 24);
    source.rgbRow(0)[0] = packRgb(100, 104, 96);
    source.rgbRow(0)[1] = packRgb(3, 3, 3);
    source.rgbRow(0)[2] = packRgb(255, 250, 255);
    assignImage(target, Rect{0, 0, 3, 1}, source, std::nullopt, kReplace, kAnyResize);
    EXPECT_EQ(target.depth(), 8);
    EXPECT_EQ(indices(target), (std::vector<int>{100, 3, 253}));
    // Union then works on those indices: 100 | 3 = 103.
    Image unionTarget = indexPicture(1, 1, 8, {3});
    Image one(1, 1, 24);
    one.rgbRow(0)[0] = packRgb(100, 100, 100);
    assignImage(unionTarget, std::nullopt, one, std::nullopt, kUnion, kAnyResize);
    EXPECT_EQ(unionTarget.pixelIndex(0, 0), 103);
}

TEST(AssignImage, PaletteSourceMeetsOtherDepthsThroughItsColours)
{
    // A 1-bit source with a red/blue palette into a 24-bit target: its colours arrive.
    Image source = indexPicture(2, 1, 1, {0, 1});
    source.setPalette({packRgb(255, 0, 0), packRgb(0, 0, 255)});
    Image trueColour = createImage(24, 2, 1, packRgb(0, 0, 0));
    assignImage(trueColour, Rect{0, 0, 2, 1}, source, std::nullopt, kReplace, kAnyResize);
    EXPECT_EQ(trueColour.pixelColour(0, 0), packRgb(255, 0, 0));
    EXPECT_EQ(trueColour.pixelColour(1, 0), packRgb(0, 0, 255));
    // Into a 4-bit grey ramp (steps of 17): for pure red or blue, (255 - g)^2 + 2 g^2 is
    // smallest at g = 85, entry 5.
    Image grey = createImage(4, 2, 1, packRgb(0, 0, 0));
    assignImage(grey, Rect{0, 0, 2, 1}, source, std::nullopt, kReplace, kAnyResize);
    EXPECT_EQ(indices(grey), (std::vector<int>{5, 5}));
}

TEST(AssignImage, SelectionsOutsideThePicturesChangeNothing)
{
    const Image source = test::noisePicture(4, 4, 3);
    const Image original = test::noisePicture(6, 5, 4);
    for (AssignMode mode : {kReplace, kUnion, kIntersection, kResize}) {
        Image target = original;
        assignImage(target, std::nullopt, source, Rect{4, 0, 3, 3}, mode, kAnyResize);
        assignImage(target, std::nullopt, source, Rect{-10, -10, 10, 10}, mode, kAnyResize);
        assignImage(target, Rect{6, 0, 2, 2}, source, std::nullopt, mode, kAnyResize);
        assignImage(target, Rect{0, -3, 5, 3}, source, std::nullopt, mode, kAnyResize);
        assignImage(target, Rect{0, 0, 0, 3}, source, std::nullopt, mode, kAnyResize);
        assignImage(target, std::nullopt, source, Rect{1, 1, 2, -1}, mode, kAnyResize);
        EXPECT_TRUE(test::sameColours(target, original)) << int(mode);
    }
}

TEST(AssignImage, ReplicateStretchFillsTheWholeTarget)
{
    const Image source = greyPicture(2, 2, {10, 20, 30, 40});
    Image target = createImage(24, 4, 4, packRgb(0, 0, 0));
    assignImage(target, std::nullopt, source, std::nullopt, kResize, ResizeMode::ReplicateFloatingAspect);
    EXPECT_EQ(greyLevels(target),
              (std::vector<int>{10, 10, 20, 20, 10, 10, 20, 20, 30, 30, 40, 40, 30, 30, 40, 40}));
}

TEST(AssignImage, FixedAspectFitsInsideCentredAndLeavesTheRest)
{
    const Image source = greyPicture(2, 1, {10, 20});
    Image target = createImage(24, 4, 4, packRgb(99, 99, 99));
    // 2 x 1 fitted into 4 x 4 is 4 x 2, rows 1 and 2.
    assignImage(target, std::nullopt, source, std::nullopt, kResize, ResizeMode::ReplicateFixedAspect);
    EXPECT_EQ(greyLevels(target),
              (std::vector<int>{99, 99, 99, 99, 10, 10, 20, 20, 10, 10, 20, 20, 99, 99, 99, 99}));
    // Resampled fixed aspect covers the same rows; a flat source stays flat there.
    Image flatTarget = createImage(24, 6, 9, packRgb(99, 99, 99));
    assignImage(flatTarget, std::nullopt, createImage(24, 4, 2, packRgb(50, 60, 70)), std::nullopt, kResize,
                ResizeMode::ResampleFixedAspect);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(flatTarget.pixelColour(x, y),
                      y >= 3 && y < 6 ? packRgb(50, 60, 70) : packRgb(99, 99, 99))
                << x << "," << y;
}

TEST(AssignImage, ResizeIntoATargetSelection)
{
    const Image source = greyPicture(2, 1, {10, 20});
    Image target = createImage(24, 5, 4, packRgb(0, 0, 0));
    assignImage(target, Rect{1, 1, 4, 2}, source, std::nullopt, kResize, ResizeMode::ReplicateFloatingAspect);
    EXPECT_EQ(greyLevels(target),
              (std::vector<int>{0, 0, 0, 0, 0, 0, 10, 10, 20, 20, 0, 10, 10, 20, 20, 0, 0, 0, 0, 0}));
    // A target selection sticking out: the scaled picture is placed, then clipped.
    target.fill(packRgb(0, 0, 0));
    assignImage(target, Rect{-2, 0, 4, 1}, source, std::nullopt, kResize,
                ResizeMode::ReplicateFloatingAspect);
    EXPECT_EQ(greyLevels(target).front(), 20);
    EXPECT_EQ(greyLevels(target)[1], 20);
    EXPECT_EQ(greyLevels(target)[2], 0);
}

TEST(AssignImage, ZoomAreaLeftOfTheSourceShowsBlackThere)
{
    // The zoom asks for an area that starts 4 pixels left of a white 4 x 4 picture.
    const Image source = createImage(24, 4, 4, packRgb(255, 255, 255));
    Image fast = createImage(24, 16, 8, packRgb(7, 7, 7));
    assignImage(fast, std::nullopt, source, Rect{-4, 0, 8, 4}, kResize, ResizeMode::ReplicateFloatingAspect);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(fast.pixelColour(x, y), x < 8 ? packRgb(0, 0, 0) : packRgb(255, 255, 255))
                << x << "," << y;
    Image high = createImage(24, 16, 8, packRgb(7, 7, 7));
    assignImage(high, std::nullopt, source, Rect{-4, 0, 8, 4}, kResize, ResizeMode::ResampleFloatingAspect);
    for (int y = 0; y < 8; ++y) {
        EXPECT_EQ(high.pixelColour(0, y), packRgb(0, 0, 0));
        EXPECT_EQ(high.pixelColour(15, y), packRgb(255, 255, 255));
        EXPECT_LT(greenOf(high.pixelColour(7, y)), 128u);
        EXPECT_GT(greenOf(high.pixelColour(8, y)), 128u);
    }
    // A palette source gives the same picture.
    Image fromPalette = createImage(24, 16, 8, packRgb(7, 7, 7));
    assignImage(fromPalette, std::nullopt, createImage(4, 4, 4, packRgb(255, 255, 255)), Rect{-4, 0, 8, 4},
                kResize, ResizeMode::ResampleFloatingAspect);
    EXPECT_TRUE(test::sameColours(fromPalette, high));
}

TEST(AssignImage, ResamplePageUseEqualsResampleImage)
{
    // The resample page: a new picture of the wanted size, then a stretching resize into it.
    const Image source = test::noisePicture(37, 23, 12);
    for (const auto& [width, height] : {std::pair{50, 11}, std::pair{12, 40}, std::pair{37, 23}}) {
        Image target = createImage(24, width, height, packRgb(255, 255, 255));
        assignImage(target, std::nullopt, source, std::nullopt, kResize, ResizeMode::ResampleFloatingAspect);
        EXPECT_TRUE(test::sameColours(target, resampleImage(source, width, height, ResampleQuality::High)))
            << width << " x " << height;
    }
}

TEST(AssignImage, ResizeIntoAPaletteTargetUsesItsNearestEntries)
{
    const Image source = createImage(24, 3, 3, packRgb(120, 121, 119));
    Image target = createImage(8, 6, 6, packRgb(0, 0, 0));
    assignImage(target, std::nullopt, source, std::nullopt, kResize, ResizeMode::ResampleFloatingAspect);
    EXPECT_EQ(target.depth(), 8);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(target.pixelIndex(x, y), 120);
}

TEST(AssignImage, SourceAndTargetMayBeOnePicture)
{
    Image image = greyPicture(6, 1, {0, 1, 2, 3, 4, 5});
    assignImage(image, Rect{2, 0, 4, 1}, image, Rect{0, 0, 4, 1}, kReplace, kAnyResize);
    EXPECT_EQ(greyLevels(image), (std::vector<int>{0, 1, 0, 1, 2, 3}));
    assignImage(image, std::nullopt, image, Rect{1, 0, 3, 1}, kReplace, kAnyResize);
    EXPECT_EQ(greyLevels(image), (std::vector<int>{1, 0, 1}));
}

TEST(AssignImage, RefusesWhatItCannotDo)
{
    const Image source = test::noisePicture(3, 3, 1);
    Image target = test::noisePicture(3, 3, 2);
    Image empty;
    EXPECT_THROW(assignImage(target, std::nullopt, Image(), std::nullopt, kReplace, kAnyResize), ImageError);
    EXPECT_THROW(assignImage(empty, Rect{0, 0, 1, 1}, source, std::nullopt, kReplace, kAnyResize),
                 ImageError);
    EXPECT_THROW(assignImage(empty, std::nullopt, source, std::nullopt, kUnion, kAnyResize), ImageError);
    EXPECT_THROW(
        assignImage(target, std::nullopt, source, std::nullopt, static_cast<AssignMode>(4), kAnyResize),
        ImageError);
    EXPECT_THROW(
        assignImage(target, std::nullopt, source, std::nullopt, kResize, static_cast<ResizeMode>(-1)),
        ImageError);
    EXPECT_THROW(assignImage(target, Rect{0, 0, 100000, 1}, source, std::nullopt, kResize, kAnyResize),
                 ImageError);
    // Without a target selection a total replacement needs no target.
    assignImage(empty, std::nullopt, source, std::nullopt, kReplace, kAnyResize);
    EXPECT_TRUE(test::sameColours(empty, source));
}

TEST(AssignImage, RandomSelectionsNeverTouchPixelsOutsideTheTargetArea)
{
    std::mt19937 random(21);
    auto randomRect = [&](int width, int height) {
        const int left = int(random() % (2 * width + 10)) - width - 5;
        const int top = int(random() % (2 * height + 10)) - height - 5;
        return Rect{left, top, int(random() % (width + 8)), int(random() % (height + 8))};
    };
    const int depths[] = {1, 4, 8, 24};
    for (int i = 0; i < 400; ++i) {
        const int targetDepth = depths[random() % 4], sourceDepth = depths[random() % 4];
        const Image original =
            targetDepth == 24 ? test::noisePicture(1 + random() % 12, 1 + random() % 9, i)
                              : test::palettePicture(1 + random() % 12, 1 + random() % 9, targetDepth, i);
        const Image source =
            sourceDepth == 24 ? test::noisePicture(1 + random() % 12, 1 + random() % 9, i + 1)
                              : test::palettePicture(1 + random() % 12, 1 + random() % 9, sourceDepth, i + 1);
        const Rect targetArea = randomRect(original.width(), original.height());
        const std::optional<Rect> sourceArea =
            random() % 3 ? std::optional<Rect>(randomRect(source.width(), source.height())) : std::nullopt;
        const auto mode = static_cast<AssignMode>(random() % 4);
        const auto resize = static_cast<ResizeMode>(random() % 4);
        Image target = original;
        assignImage(target, targetArea, source, sourceArea, mode, resize);
        ASSERT_EQ(target.width(), original.width());
        ASSERT_EQ(target.depth(), original.depth());
        for (int y = 0; y < target.height(); ++y)
            for (int x = 0; x < target.width(); ++x) {
                const bool inside = x >= targetArea.left && x - targetArea.left < targetArea.width &&
                                    y >= targetArea.top && y - targetArea.top < targetArea.height;
                if (!inside) {
                    ASSERT_EQ(target.pixelColour(x, y), original.pixelColour(x, y)) << "case " << i;
                }
            }
    }
}
