#include "engine/ops/adjust/adjustments.h"

#include "engine/ops/adjust/histogram.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace vask {
namespace {

// Every level once, as a grey ramp 256 pixels wide.
Image greyRamp()
{
    Image image(256, 1, 24);
    for (int level = 0; level < 256; ++level)
        image.rgbRow(0)[level] = packRgb(level, level, level);
    return image;
}

unsigned levelAfter(const std::function<void(Image&)>& adjust, unsigned level)
{
    Image image(1, 1, 24);
    image.fill(packRgb(level, level, level));
    adjust(image);
    return redOf(image.rgbRow(0)[0]);
}

struct Adjustment {
    std::string name;
    std::function<void(Image&, int)> apply;
    int neutral;
};

const Adjustment kAdjustments[] = {
    {"brightness", changeBrightness, 0},
    {"contrast", changeContrast, 0},
    {"histogram contrast", changeHistogramContrast, 0},
    {"gamma", changeGamma, 125},
    {"hue", changeHue, 0},
    {"saturation", changeSaturation, 0},
};

TEST(Adjustments, NeutralPositionsLeaveEveryPictureUnchanged)
{
    for (const Adjustment& adjustment : kAdjustments) {
        for (const Image& original : {test::noisePicture(33, 17, 1u), test::palettePicture(9, 4, 8, 2u),
                                      test::palettePicture(9, 4, 1, 3u)}) {
            Image image = original;
            adjustment.apply(image, adjustment.neutral);
            EXPECT_TRUE(test::sameColours(image, original)) << adjustment.name;
            EXPECT_EQ(image.palette(), original.palette()) << adjustment.name;
        }
    }
}

TEST(Adjustments, PalettePicturesChangeTheirEntriesNotTheirIndices)
{
    const int positions[] = {400, 400, 400, 200, 90, 400};
    int i = 0;
    for (const Adjustment& adjustment : kAdjustments) {
        for (int depth : {1, 4, 8}) {
            const Image original = test::palettePicture(11, 5, depth, 8u);
            Image image = original;
            adjustment.apply(image, positions[i]);
            ASSERT_EQ(image.depth(), depth);
            for (int index = 0; index < Image::paletteSizeFor(depth); ++index) {
                // Each entry changes as a one-pixel 24-bit picture of its colour would, except
                // that histogram contrast takes its centre from the whole picture.
                if (adjustment.name == "histogram contrast")
                    continue;
                Image single(1, 1, 24);
                single.fill(original.paletteEntry(index));
                adjustment.apply(single, positions[i]);
                EXPECT_EQ(image.paletteEntry(index), single.rgbRow(0)[0]) << adjustment.name;
            }
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ASSERT_EQ(image.pixelIndex(x, y), original.pixelIndex(x, y)) << adjustment.name;
        }
        ++i;
    }
}

TEST(Adjustments, EmptyPicturesAreLeftAlone)
{
    for (const Adjustment& adjustment : kAdjustments) {
        Image image;
        adjustment.apply(image, adjustment.neutral + 50);
        EXPECT_TRUE(image.isNull()) << adjustment.name;
    }
}

TEST(ChangeBrightness, EndsGiveBlackAndWhiteAndPositionsBeyondAreClamped)
{
    for (int position : {-1000, -5000}) {
        Image image = test::noisePicture(31, 7, 5u);
        changeBrightness(image, position);
        Image black(31, 7, 24);
        black.fill(packRgb(0, 0, 0));
        EXPECT_TRUE(test::sameColours(image, black)) << position;
    }
    for (int position : {1000, 99999}) {
        Image image = test::noisePicture(31, 7, 5u);
        changeBrightness(image, position);
        Image white(31, 7, 24);
        white.fill(packRgb(255, 255, 255));
        EXPECT_TRUE(test::sameColours(image, white)) << position;
    }
}

TEST(ChangeBrightness, KeepsTheOrderOfLevelsAndRisesWithThePosition)
{
    Image previous = greyRamp();
    changeBrightness(previous, -1000);
    for (int position = -900; position <= 1000; position += 100) {
        Image image = greyRamp();
        changeBrightness(image, position);
        for (int level = 0; level < 256; ++level) {
            if (level > 0) {
                ASSERT_GE(redOf(image.rgbRow(0)[level]), redOf(image.rgbRow(0)[level - 1])) << position;
            }
            ASSERT_GE(redOf(image.rgbRow(0)[level]), redOf(previous.rgbRow(0)[level])) << position;
        }
        previous = image;
    }
    // Half way to white and half way to black.
    EXPECT_EQ(levelAfter([](Image& i) { changeBrightness(i, 500); }, 100), 178u); // 100 + 155 / 2
    EXPECT_EQ(levelAfter([](Image& i) { changeBrightness(i, -500); }, 100), 50u);
}

TEST(ChangeContrast, EndsGiveOneGreyAndAThresholdAtMidGrey)
{
    for (unsigned level : {0u, 100u, 127u, 128u, 255u}) {
        EXPECT_EQ(levelAfter([](Image& i) { changeContrast(i, -1000); }, level), 128u);
        EXPECT_EQ(levelAfter([](Image& i) { changeContrast(i, 1000); }, level), level >= 128 ? 255u : 0u);
    }
    // Factor 2 about 127.5: 127.5 - 27.5 x 2 = 72.5, halves rounding away from mid grey;
    // factor 1/2: 127.5 - 27.5 / 2 = 113.75.
    EXPECT_EQ(levelAfter([](Image& i) { changeContrast(i, 500); }, 100), 72u);
    EXPECT_EQ(levelAfter([](Image& i) { changeContrast(i, 500); }, 155), 183u);
    EXPECT_EQ(levelAfter([](Image& i) { changeContrast(i, -500); }, 100), 114u);
}

TEST(ChangeContrast, CommutesWithNegation)
{
    Image image = greyRamp();
    changeContrast(image, 300);
    for (int level = 0; level < 256; ++level)
        EXPECT_EQ(redOf(image.rgbRow(0)[level]) + redOf(image.rgbRow(0)[255 - level]), 255u) << level;
}

TEST(ChangeHistogramContrast, WorksAboutTheMeanLuminance)
{
    // Mean luminance 60: three quarters at 40, a quarter at 120.
    Image image(4, 1, 24);
    image.rgbRow(0)[0] = image.rgbRow(0)[1] = image.rgbRow(0)[2] = packRgb(40, 40, 40);
    image.rgbRow(0)[3] = packRgb(120, 120, 120);
    Image flat = image;
    changeHistogramContrast(flat, -1000);
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(flat.rgbRow(0)[x], packRgb(60, 60, 60));
    Image threshold = image;
    changeHistogramContrast(threshold, 1000);
    EXPECT_EQ(threshold.rgbRow(0)[0], packRgb(0, 0, 0));
    EXPECT_EQ(threshold.rgbRow(0)[3], packRgb(255, 255, 255));
    Image steeper = image;
    changeHistogramContrast(steeper, 500); // factor 2 about 60
    EXPECT_EQ(steeper.rgbRow(0)[0], packRgb(20, 20, 20));
    EXPECT_EQ(steeper.rgbRow(0)[3], packRgb(180, 180, 180));
}

TEST(ChangeGamma, LightensAboveNeutralDarkensBelowAndKeepsTheOrderOfLevels)
{
    for (int position : {1, 60, 124, 126, 200, 250, 400}) {
        Image image = greyRamp();
        changeGamma(image, position);
        EXPECT_EQ(redOf(image.rgbRow(0)[0]), 0u);
        EXPECT_EQ(redOf(image.rgbRow(0)[255]), 255u);
        for (int level = 1; level < 256; ++level) {
            const unsigned after = redOf(image.rgbRow(0)[level]);
            ASSERT_GE(after, redOf(image.rgbRow(0)[level - 1])) << position;
            if (position > 125) {
                ASSERT_GE(after, unsigned(level)) << position;
            } else {
                ASSERT_LE(after, unsigned(level)) << position;
            }
        }
    }
    // 255 x (128 / 255) ^ (1 / 2.4) = 191.3; and the other way, ^ 2.4 / 2.4 ^ (1 / 125) = 48.0
    EXPECT_EQ(levelAfter([](Image& i) { changeGamma(i, 250); }, 128), 191u);
    EXPECT_EQ(levelAfter([](Image& i) { changeGamma(i, 0); }, 128),
              levelAfter([](Image& i) { changeGamma(i, 1); }, 128));
}

} // namespace
} // namespace vask
