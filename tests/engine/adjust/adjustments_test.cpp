#include "engine/ops/adjust/adjustments.h"

#include "tests/engine/adjust/adjust_checks.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace vask {
namespace {

using namespace test;
using Adjust = void (*)(Image&, int);

// A copy of the picture after the adjustment at position.
Image adjusted(Image image, Adjust adjust, int position)
{
    adjust(image, position);
    return image;
}

// The colour a 3 x 1 picture of one colour takes.
Rgb adjusted(Rgb colour, Adjust adjust, int position)
{
    Image image(3, 1, 24);
    image.fill(colour);
    return adjusted(image, adjust, position).rgbRow(0)[2];
}

const auto maxOf = [](Rgb p) { return int(std::max({redOf(p), greenOf(p), blueOf(p)})); };
const auto minOf = [](Rgb p) { return int(std::min({redOf(p), greenOf(p), blueOf(p)})); };

struct Adjustment {
    const char* name;
    Adjust apply;
    int lowest, neutral, highest;
};

const Adjustment kAdjustments[] = {
    {"brightness", changeBrightness, -1000, 0, 1000},
    {"contrast", changeContrast, -1000, 0, 1000},
    {"histogram contrast", changeHistogramContrast, -1000, 0, 1000},
    {"gamma", changeGamma, 1, 125, 250},
    {"hue", changeHue, -180, 0, 180},
    {"saturation", changeSaturation, -1000, 0, 1000},
};

TEST(Adjustments, NeutralPositionsChangeNothingAndPositionsBeyondTheRangeAreTakenAsItsNearestEnd)
{
    const Image noise = noisePicture(31, 7, 5u);
    for (const Adjustment& a : kAdjustments) {
        SCOPED_TRACE(a.name);
        for (const Image& original :
             {noisePicture(33, 17, 1u), palettePicture(9, 4, 8, 2u), palettePicture(9, 4, 1, 3u)}) {
            const Image image = adjusted(original, a.apply, a.neutral);
            EXPECT_TRUE(sameColours(image, original));
            EXPECT_EQ(image.palette(), original.palette());
        }
        EXPECT_TRUE(adjusted(Image(), a.apply, a.neutral + 50).isNull()) << "empty pictures stay empty";
        const Image low = adjusted(noise, a.apply, a.lowest), high = adjusted(noise, a.apply, a.highest);
        for (const int past : {1, 99999}) {
            EXPECT_TRUE(sameColours(adjusted(noise, a.apply, a.lowest - past), low)) << past;
            EXPECT_TRUE(sameColours(adjusted(noise, a.apply, a.highest + past), high)) << past;
        }
    }
}

TEST(Adjustments, PalettePicturesChangeTheirEntriesNotTheirIndices)
{
    for (const Adjustment& a : kAdjustments)
        for (int depth : {1, 4, 8}) {
            SCOPED_TRACE(a.name);
            const Image original = palettePicture(11, 5, depth, 8u);
            const int position = (a.neutral + a.highest) / 2;
            const Image image = adjusted(original, a.apply, position);
            ASSERT_EQ(image.depth(), depth);
            // Each entry changes as a 24-bit picture of its colour would, except that histogram
            // contrast takes its centre from the whole picture.
            const int entries = a.apply == changeHistogramContrast ? 0 : Image::paletteSizeFor(depth);
            for (int i = 0; i < entries; ++i)
                EXPECT_EQ(image.paletteEntry(i), adjusted(original.paletteEntry(i), a.apply, position));
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ASSERT_EQ(image.pixelIndex(x, y), original.pixelIndex(x, y));
        }
}

TEST(Adjustments, WorkedColoursComeOutAsComputed)
{
    const Rgb red = packRgb(255, 0, 0), green = packRgb(0, 255, 0), blue = packRgb(0, 0, 255);
    const std::tuple<Adjust, int, Rgb, Rgb> worked[] = {
        {changeBrightness, 500, grey(100), grey(178)}, // half way to white: 100 + 155 / 2
        {changeBrightness, -500, grey(100), grey(50)},
        {changeBrightness, -1000, packRgb(10, 200, 255), grey(0)},
        {changeBrightness, 1000, packRgb(0, 90, 254), grey(255)},
        // Factor 2 about 127.5: 127.5 - 27.5 x 2 = 72.5, halves rounding away from mid grey;
        // factor 1/2: 127.5 - 27.5 / 2 = 113.75. The ends give one grey and a threshold.
        {changeContrast, 500, packRgb(100, 155, 100), packRgb(72, 183, 72)},
        {changeContrast, -500, grey(100), grey(114)},
        {changeContrast, -1000, packRgb(0, 100, 255), grey(128)},
        {changeContrast, -1000, packRgb(127, 128, 127), grey(128)},
        {changeContrast, 1000, packRgb(0, 127, 128), packRgb(0, 0, 255)},
        {changeContrast, 1000, packRgb(100, 255, 128), packRgb(0, 255, 255)},
        {changeGamma, 250, grey(128), grey(191)}, // 255 x (128 / 255) ^ (1 / 2.4) = 191.3
        {changeHue, 120, red, green},
        {changeHue, 120, green, blue},
        {changeHue, 120, blue, red},
        {changeHue, -120, red, blue},
        {changeHue, 60, red, packRgb(255, 255, 0)},
        {changeHue, 180, red, packRgb(0, 255, 255)},
        // 30 degrees is half way from red to yellow: green half up, rounded.
        {changeHue, 30, packRgb(200, 0, 0), packRgb(200, 100, 0)},
        {changeHue, 30, packRgb(201, 100, 0), packRgb(201, 201, 0)},
        // Spread 40 about 130: doubled at 1000, half as much again at 500, halved at -500.
        {changeSaturation, 1000, packRgb(150, 130, 110), packRgb(170, 130, 90)},
        {changeSaturation, 500, packRgb(150, 130, 110), packRgb(160, 130, 100)},
        {changeSaturation, -500, packRgb(150, 130, 110), packRgb(140, 130, 120)},
        // About 30 there is room for a spread of 60 only: (50, 20, 10) grows by 1.5, not 2.
        {changeSaturation, 1000, packRgb(50, 20, 10), packRgb(60, 15, 0)},
        // Already full: pure colours and colours touching 0 and 255 stay.
        {changeSaturation, 1000, red, red},
        {changeSaturation, 700, packRgb(0, 90, 255), packRgb(0, 90, 255)}};
    for (const auto& [apply, position, before, after] : worked)
        EXPECT_EQ(adjusted(before, apply, position), after)
            << std::hex << before << " at " << std::dec << position;
}

TEST(Adjustments, ToneKeepsTheOrderOfLevelsAndBrightnessAndGammaLiftThemWithThePosition)
{
    for (const Adjustment& a : {kAdjustments[0], kAdjustments[1], kAdjustments[3]}) {
        SCOPED_TRACE(a.name);
        Image ramp(256, 1, 24), previous;
        for (int level = 0; level < 256; ++level)
            ramp.rgbRow(0)[level] = grey(level);
        const auto at = [](const Image& image, int l) { return int(redOf(image.rgbRow(0)[l])); };
        for (int position = a.lowest; position <= a.highest; position += (a.highest - a.lowest) / 40) {
            const Image image = adjusted(ramp, a.apply, position);
            for (int l = 1; l < 256; ++l) {
                ASSERT_GE(at(image, l), at(image, l - 1)) << position;
                if (a.apply == changeContrast) { // which commutes with negation
                    ASSERT_TRUE(position == a.lowest || at(image, l) + at(image, 255 - l) == 255) << position;
                    continue;
                }
                ASSERT_TRUE(previous.isNull() || at(image, l) >= at(previous, l)) << position;
                ASSERT_TRUE(position > a.neutral ? at(image, l) >= l : at(image, l) <= l) << position;
            }
            EXPECT_TRUE(a.apply != changeGamma || (at(image, 0) == 0 && at(image, 255) == 255)) << position;
            previous = image;
        }
    }
}

TEST(Adjustments, HistogramContrastWorksAboutTheMeanLuminance)
{
    // Mean luminance 60: three quarters at 40, a quarter at 120. The ends give one grey and a
    // threshold; 500 is a factor of 2 about 60.
    Image image(4, 1, 24);
    image.fill(grey(40));
    image.rgbRow(0)[3] = grey(120);
    const std::tuple<int, unsigned, unsigned> cases[] = {{-1000, 60, 60}, {1000, 0, 255}, {500, 20, 180}};
    for (const auto& [position, dark, light] : cases) {
        const Image result = adjusted(image, changeHistogramContrast, position);
        EXPECT_EQ(result.rgbRow(0)[2], grey(dark)) << position;
        EXPECT_EQ(result.rgbRow(0)[3], grey(light)) << position;
    }
}

TEST(Adjustments, HueKeepsMaxAndMinSaturationKeepsLightnessAndTheOrderOfChannelsAndGreysStay)
{
    Image original = noisePicture(77, 21, 6u);
    for (int x = 0; x < 77; ++x) // and a row of greys, which stay as they are
        original.rgbRow(0)[x] = grey(x * 255 / 76);
    for (int position : {-1000, -700, -100, 77, 300, 1000}) {
        const Image hue = adjusted(original, changeHue, position / 6);
        const Image saturation = adjusted(original, changeSaturation, position);
        for (int y = 0; y < original.height(); ++y)
            for (int x = 0; x < original.width(); ++x) {
                const Rgb p = original.rgbRow(y)[x], h = hue.rgbRow(y)[x], s = saturation.rgbRow(y)[x];
                ASSERT_EQ(maxOf(h), maxOf(p)) << std::hex << p;
                ASSERT_EQ(minOf(h), minOf(p)) << std::hex << p;
                ASSERT_LE(std::abs(maxOf(s) + minOf(s) - maxOf(p) - minOf(p)), 1) << std::hex << p;
                ASSERT_TRUE(keepsChannelOrder(p, s)) << std::hex << p << " " << s;
                ASSERT_TRUE(y > 0 || (h == p && s == p)) << std::hex << p;
                // Fully desaturated: the mean of max and min, rounded up.
                ASSERT_TRUE(position > -1000 || s == grey((maxOf(p) + minOf(p) + 1) / 2)) << std::hex << p;
            }
    }
}

TEST(Adjustments, TurningTheHueThereAndBackReturnsWithinOneLevelAndHalfTurnsExactly)
{
    const Image original = noisePicture(257, 65, 9u);
    for (int degrees : {1, 17, 37, 59, 61, 90, 133, 179, 180}) {
        const Image back = adjusted(adjusted(original, changeHue, degrees), changeHue, -degrees);
        EXPECT_LE(maxChannelDifference(back, original), degrees == 180 ? 0 : 1) << degrees;
    }
    const Image half = adjusted(original, changeHue, 180);
    EXPECT_FALSE(sameColours(half, original));
    EXPECT_TRUE(sameColours(adjusted(half, changeHue, 180), original));
}

} // namespace
} // namespace vask
