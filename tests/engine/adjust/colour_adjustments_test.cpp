#include "engine/ops/adjust/adjustments.h"

#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vask {
namespace {

Rgb afterHue(Rgb colour, int degrees)
{
    Image image(1, 1, 24);
    image.fill(colour);
    changeHue(image, degrees);
    return image.rgbRow(0)[0];
}

Rgb afterSaturation(Rgb colour, int tenthsPercent)
{
    Image image(1, 1, 24);
    image.fill(colour);
    changeSaturation(image, tenthsPercent);
    return image.rgbRow(0)[0];
}

unsigned maxOf(Rgb p)
{
    return std::max({redOf(p), greenOf(p), blueOf(p)});
}
unsigned minOf(Rgb p)
{
    return std::min({redOf(p), greenOf(p), blueOf(p)});
}

TEST(ChangeHue, ThirdTurnsCarryPrimariesOnToTheNext)
{
    const Rgb red = packRgb(255, 0, 0), green = packRgb(0, 255, 0), blue = packRgb(0, 0, 255);
    EXPECT_EQ(afterHue(red, 120), green);
    EXPECT_EQ(afterHue(green, 120), blue);
    EXPECT_EQ(afterHue(blue, 120), red);
    EXPECT_EQ(afterHue(red, -120), blue);
    EXPECT_EQ(afterHue(red, 60), packRgb(255, 255, 0));
    EXPECT_EQ(afterHue(red, 180), packRgb(0, 255, 255));
    // 30 degrees is half way from red to yellow: green half up, rounded.
    EXPECT_EQ(afterHue(packRgb(200, 0, 0), 30), packRgb(200, 100, 0));
    EXPECT_EQ(afterHue(packRgb(201, 100, 0), 30), packRgb(201, 201, 0));
}

TEST(ChangeHue, HalfTurnTwiceIsExactlyTheOriginal)
{
    const Image original = test::noisePicture(101, 33, 3u);
    Image image = original;
    changeHue(image, 180);
    EXPECT_FALSE(test::sameColours(image, original));
    changeHue(image, 180);
    EXPECT_TRUE(test::sameColours(image, original));
    changeHue(image, -180);
    changeHue(image, 180);
    EXPECT_TRUE(test::sameColours(image, original));
}

TEST(ChangeHue, TurningThereAndBackReturnsWithinOneLevel)
{
    const Image original = test::noisePicture(257, 65, 9u);
    for (int degrees : {1, 17, 37, 59, 61, 90, 133, 179}) {
        Image image = original;
        changeHue(image, degrees);
        changeHue(image, -degrees);
        EXPECT_LE(test::maxChannelDifference(image, original), 1) << degrees;
    }
}

TEST(ChangeHue, KeepsMaxAndMinOfEveryColourAndClampsTheTurn)
{
    const Image original = test::noisePicture(64, 64, 4u);
    Image image = original;
    changeHue(image, 77);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(maxOf(image.rgbRow(y)[x]), maxOf(original.rgbRow(y)[x]));
            ASSERT_EQ(minOf(image.rgbRow(y)[x]), minOf(original.rgbRow(y)[x]));
        }
    Image clamped = original, halfTurn = original;
    changeHue(clamped, 1000);
    changeHue(halfTurn, 180);
    EXPECT_TRUE(test::sameColours(clamped, halfTurn));
}

TEST(ChangeHue, GreysStayAsTheyAre)
{
    for (unsigned level : {0u, 1u, 128u, 255u})
        EXPECT_EQ(afterHue(packRgb(level, level, level), 73), packRgb(level, level, level));
}

TEST(ChangeSaturation, FullyDesaturatedColoursBecomeTheMeanOfMaxAndMin)
{
    const Image original = test::noisePicture(77, 21, 6u);
    Image image = original;
    changeSaturation(image, -1000);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb before = original.rgbRow(y)[x];
            const unsigned grey = (maxOf(before) + minOf(before) + 1) / 2;
            ASSERT_EQ(image.rgbRow(y)[x], packRgb(grey, grey, grey)) << std::hex << before;
        }
}

TEST(ChangeSaturation, FullPositionDoublesTheSpreadUpToWhatFits)
{
    // Spread 40 about 130 becomes 80.
    EXPECT_EQ(afterSaturation(packRgb(150, 130, 110), 1000), packRgb(170, 130, 90));
    // Half as much again: spread 60 about 130, mid 130 stays.
    EXPECT_EQ(afterSaturation(packRgb(150, 130, 110), 500), packRgb(160, 130, 100));
    // Halved: spread 20.
    EXPECT_EQ(afterSaturation(packRgb(150, 130, 110), -500), packRgb(140, 130, 120));
    // About 30 there is room for a spread of 60 only: (50, 20, 10) grows by 1.5, not 2.
    EXPECT_EQ(afterSaturation(packRgb(50, 20, 10), 1000), packRgb(60, 15, 0));
    // Already full: pure colours and colours touching 0 or 255 at both ends stay.
    EXPECT_EQ(afterSaturation(packRgb(255, 0, 0), 1000), packRgb(255, 0, 0));
    EXPECT_EQ(afterSaturation(packRgb(0, 90, 255), 700), packRgb(0, 90, 255));
}

TEST(ChangeSaturation, KeepsLightnessAndTheOrderOfChannels)
{
    const Image original = test::noisePicture(64, 64, 7u);
    for (int position : {-700, -100, 300, 1000}) {
        Image image = original;
        changeSaturation(image, position);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const Rgb p = original.rgbRow(y)[x], q = image.rgbRow(y)[x];
                const int sumBefore = int(maxOf(p) + minOf(p)), sumAfter = int(maxOf(q) + minOf(q));
                ASSERT_LE(std::abs(sumAfter - sumBefore), 1) << std::hex << p << " " << q;
                const auto keepsOrder = [](unsigned a, unsigned b, unsigned a2, unsigned b2) {
                    return (a > b && a2 >= b2) || (a < b && a2 <= b2) || (a == b && a2 == b2);
                };
                ASSERT_TRUE(keepsOrder(redOf(p), greenOf(p), redOf(q), greenOf(q)));
                ASSERT_TRUE(keepsOrder(greenOf(p), blueOf(p), greenOf(q), blueOf(q)));
                ASSERT_TRUE(keepsOrder(redOf(p), blueOf(p), redOf(q), blueOf(q)));
            }
    }
}

TEST(ChangeSaturation, GreysStayAsTheyAre)
{
    for (int position : {-1000, -300, 400, 1000})
        for (unsigned level : {0u, 77u, 255u})
            EXPECT_EQ(afterSaturation(packRgb(level, level, level), position), packRgb(level, level, level));
}

} // namespace
} // namespace vask
