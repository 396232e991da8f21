#include "engine/ops/palette/reduce_colors.h"

#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <set>
#include <tuple>

namespace vask {
namespace {

using test::gradientPicture;
using test::noisePicture;
using test::palettePicture;
using test::psnr;
using test::sameColours;

int bruteForceNearest(const std::vector<Rgb>& palette, int entries, Rgb colour)
{
    int best = 0;
    long bestDistance = LONG_MAX;
    for (int i = 0; i < entries; ++i) {
        const long dr = long(redOf(palette[i])) - long(redOf(colour));
        const long dg = long(greenOf(palette[i])) - long(greenOf(colour));
        const long db = long(blueOf(palette[i])) - long(blueOf(colour));
        const long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

int expectedDepth(int count)
{
    return count <= 2 ? 1 : (count <= 16 ? 4 : 8);
}

// Every pixel indexes one of the first count entries: the black padding is never used.
int largestIndex(const Image& image)
{
    int largest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            largest = std::max(largest, image.pixelIndex(x, y));
    return largest;
}

// A picture with exactly colours distinct colours in a scattered layout.
Image pictureWithColours(int width, int height, int colours, std::uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<Rgb> set;
    while (static_cast<int>(set.size()) < colours) {
        const Rgb c = random() | 0xFF000000u;
        if (std::find(set.begin(), set.end(), c) == set.end())
            set.push_back(c);
    }
    Image image(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.rgbRow(y)[x] = set[(x + y * width) % colours];
    return image;
}

using Options = std::tuple<int, bool, bool, bool>; // count, optimise, dither, bleed

class ReduceColorsOptions : public ::testing::TestWithParam<Options> {};

TEST_P(ReduceColorsOptions, GivesTheDepthForTheCountAndUsesOnlyRealEntries)
{
    const auto [count, optimise, dither, bleed] = GetParam();
    for (const Image& source : {gradientPicture(97, 61), noisePicture(33, 17, 5)}) {
        Image image = source;
        reduceColors(image, count, optimise, dither, bleed);
        EXPECT_EQ(image.depth(), expectedDepth(count));
        EXPECT_EQ(image.width(), source.width());
        EXPECT_EQ(image.height(), source.height());
        EXPECT_EQ(image.palette().size(), std::size_t(1) << image.depth());
        EXPECT_LT(largestIndex(image), count);
    }
}

TEST_P(ReduceColorsOptions, KeepsAPictureWithFewColoursExactly)
{
    const auto [count, optimise, dither, bleed] = GetParam();
    for (const int colours : {1, count / 2 + 1, count}) {
        const Image source = pictureWithColours(41, 23, colours, 17u + colours);
        Image image = source;
        reduceColors(image, count, optimise, dither, bleed);
        EXPECT_EQ(image.depth(), expectedDepth(count));
        EXPECT_TRUE(sameColours(image, source)) << colours << " colours into " << count;
    }
}

TEST_P(ReduceColorsOptions, HandlesTinyAndOddSizes)
{
    const auto [count, optimise, dither, bleed] = GetParam();
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 7}, {7, 1}, {2, 3}, {3, 5}, {65, 3}};
    for (const auto& [w, h] : sizes) {
        Image image = noisePicture(w, h, 77u + w * 31 + h);
        const Image source = image;
        reduceColors(image, count, optimise, dither, bleed);
        EXPECT_EQ(image.depth(), expectedDepth(count));
        EXPECT_LT(largestIndex(image), count);
        if (w * h <= count) {
            EXPECT_TRUE(sameColours(image, source)) << w << " x " << h;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(CountsAndFlags, ReduceColorsOptions,
                         ::testing::Combine(::testing::Values(2, 16, 256), ::testing::Bool(),
                                            ::testing::Bool(), ::testing::Bool()));

TEST(ReduceColors, TwoHundredColoursIntoTwoHundredFiftySixAreLossless)
{
    const Image source = pictureWithColours(300, 200, 200, 3);
    for (const bool dither : {false, true}) {
        Image image = source;
        reduceColors(image, 256, true, dither, false);
        EXPECT_EQ(image.depth(), 8);
        EXPECT_TRUE(sameColours(image, source));
    }
}

TEST(ReduceColors, CountIsClampedToTwoAndTwoHundredFiftySix)
{
    Image low = gradientPicture(40, 30);
    reduceColors(low, 0, true, true, false);
    EXPECT_EQ(low.depth(), 1);
    EXPECT_LT(largestIndex(low), 2);
    Image high = gradientPicture(40, 30);
    reduceColors(high, 100000, false, false, false);
    EXPECT_EQ(high.depth(), 8);
}

TEST(ReduceColors, ANullPictureStaysNull)
{
    Image image;
    reduceColors(image, 16, true, true, true);
    EXPECT_TRUE(image.isNull());
    EXPECT_TRUE(optimisedPalette(image, 16).empty());
    EXPECT_TRUE(quantiseToPalette(image, {packRgb(1, 2, 3)}, true).isNull());
}

TEST(ReduceColors, WithoutDitherEveryPixelTakesTheNearestEntry)
{
    for (const bool optimise : {false, true})
        for (const int count : {2, 5, 16, 100, 256}) {
            const Image source = noisePicture(64, 48, 11u + count);
            Image image = source;
            reduceColors(image, count, optimise, false, false);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ASSERT_EQ(image.pixelIndex(x, y),
                              bruteForceNearest(image.palette(), count, source.pixelColour(x, y)))
                        << "count " << count << " optimise " << optimise;
        }
}

TEST(ReduceColors, PalettePicturesAreReducedThroughTheirColours)
{
    const Image source = palettePicture(57, 43, 8, 21);
    Image image = source;
    reduceColors(image, 16, true, false, false);
    EXPECT_EQ(image.depth(), 4);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelIndex(x, y),
                      bruteForceNearest(image.palette(), 16, source.pixelColour(x, y)));

    Image dithered = source;
    reduceColors(dithered, 16, false, true, true);
    EXPECT_EQ(dithered.depth(), 4);
    EXPECT_LT(largestIndex(dithered), 16);
}

TEST(ReduceColors, SmallPalettePicturesRiseToTheDepthOfTheCount)
{
    for (const int depth : {1, 4}) {
        const Image source = palettePicture(19, 11, depth, 5u + depth);
        Image image = source;
        reduceColors(image, 256, false, true, false);
        EXPECT_EQ(image.depth(), 8);
        EXPECT_TRUE(sameColours(image, source));
    }
}

// Ramps in red and green with blue between them: a surface through the colour cube.
Image smoothPicture(int width, int height)
{
    Image image(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.rgbRow(y)[x] =
                packRgb(x * 255 / (width - 1), y * 255 / (height - 1), (x + y) * 255 / (width + height - 2));
    return image;
}

TEST(ReduceColors, OptimisedDitheredGradientKeepsItsQuality)
{
    const Image source = smoothPicture(256, 256);
    Image optimised = source;
    reduceColors(optimised, 256, true, true, false);
    EXPECT_GT(psnr(source, optimised), 31.0);
    // The fixed palette cannot follow the picture as closely.
    Image fixed = source;
    reduceColors(fixed, 256, false, true, false);
    EXPECT_GT(psnr(source, optimised), psnr(source, fixed) + 5.0);
    Image sixteen = source;
    reduceColors(sixteen, 16, true, true, false);
    EXPECT_GT(psnr(source, sixteen), 19.5);
    // Colours filling the whole cube are harder; still well above the fixed palette.
    const Image cube = gradientPicture(256, 256);
    Image cubeOptimised = cube;
    reduceColors(cubeOptimised, 256, true, true, false);
    EXPECT_GT(psnr(cube, cubeOptimised), 23.0);
}

// The mean colour of a block of the result, per channel.
std::array<double, 3> meanColour(const Image& image, int left, int top, int width, int height)
{
    std::array<double, 3> sum{};
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) {
            const Rgb c = image.pixelColour(x, y);
            sum[0] += redOf(c);
            sum[1] += greenOf(c);
            sum[2] += blueOf(c);
        }
    for (auto& s : sum)
        s /= double(width) * height;
    return sum;
}

TEST(ReduceColors, DitherKeepsTheMeanColourOfAFlatArea)
{
    // A flat block inside noise, so the picture has too many colours to keep.
    const Rgb flat = packRgb(100, 150, 200);
    for (const int count : {2, 16, 256}) {
        Image image = noisePicture(160, 160, 9);
        for (int y = 20; y < 140; ++y)
            for (int x = 20; x < 140; ++x)
                image.rgbRow(y)[x] = flat;
        reduceColors(image, count, false, true, false);
        // Measured away from the noise, which the error crosses for a few pixels.
        const auto mean = meanColour(image, 30, 30, 100, 100);
        // Black and white can only keep the average of the channels.
        if (count == 2) {
            EXPECT_NEAR((mean[0] + mean[1] + mean[2]) / 3, 150, 2.0);
            continue;
        }
        EXPECT_NEAR(mean[0], 100, 1.5) << count;
        EXPECT_NEAR(mean[1], 150, 1.5) << count;
        EXPECT_NEAR(mean[2], 200, 1.5) << count;
    }
}

// Pixels of the right half that did not keep their exact palette colour.
int spillAcrossEdge(bool bleed)
{
    // The left half is darker than the darker entry, so its error piles up to about -64; at
    // the edge that pull turns the lighter right half to the tie between both entries.
    Image image(200, 100, 24);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) {
            const unsigned dark = unsigned(x * y) % 21;
            image.rgbRow(y)[x] = x < 100 ? packRgb(dark, dark, dark) : packRgb(192, 192, 192);
        }
    const Image reduced =
        quantiseToPalette(image, {packRgb(64, 64, 64), packRgb(192, 192, 192)}, true, bleed);
    int spilt = 0;
    for (int y = 0; y < 100; ++y)
        for (int x = 100; x < 200; ++x)
            spilt += reduced.pixelIndex(x, y) != 1;
    return spilt;
}

TEST(ReduceColors, BleedStopsErrorSmearingAcrossAHardEdge)
{
    const int without = spillAcrossEdge(false);
    const int with = spillAcrossEdge(true);
    EXPECT_GT(without, 20);
    EXPECT_LT(with, without / 4);
}

TEST(OptimisedPalette, FindsTheCentresOfTightClusters)
{
    const Rgb centres[4] = {packRgb(20, 30, 40), packRgb(200, 40, 90), packRgb(90, 220, 10),
                            packRgb(240, 240, 240)};
    std::mt19937 random(8);
    Image image(120, 80, 24);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x) {
            const Rgb c = centres[(x / 30 + y) % 4];
            const auto jitter = [&](unsigned v) { return clampToByte(int(v) + int(random() % 7) - 3); };
            image.rgbRow(y)[x] = packRgb(jitter(redOf(c)), jitter(greenOf(c)), jitter(blueOf(c)));
        }
    const std::vector<Rgb> palette = optimisedPalette(image, 4);
    ASSERT_EQ(palette.size(), 4u);
    for (const Rgb c : centres) {
        const int i = bruteForceNearest(palette, 4, c);
        EXPECT_LE(std::abs(int(redOf(palette[i])) - int(redOf(c))), 1);
        EXPECT_LE(std::abs(int(greenOf(palette[i])) - int(greenOf(c))), 1);
        EXPECT_LE(std::abs(int(blueOf(palette[i])) - int(blueOf(c))), 1);
    }
}

TEST(OptimisedPalette, ListsTheColoursOfAPictureThatHasFewEnough)
{
    const Image image = pictureWithColours(30, 20, 12, 6);
    const std::vector<Rgb> palette = optimisedPalette(image, 16);
    std::set<Rgb> expected;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 30; ++x)
            expected.insert(image.pixelColour(x, y));
    EXPECT_EQ(std::set<Rgb>(palette.begin(), palette.end()), expected);
}

TEST(OptimisedPalette, NeverExceedsTheCount)
{
    const Image image = noisePicture(100, 100, 12);
    for (const int count : {2, 3, 16, 17, 255, 256})
        EXPECT_LE(optimisedPalette(image, count).size(), std::size_t(count));
}

TEST(QuantiseToPalette, TakesTheSmallestDepthForThePalette)
{
    const Image source = gradientPicture(31, 29);
    const std::pair<int, int> sizesAndDepths[] = {{1, 1},  {2, 1},   {3, 4},  {16, 4},
                                                  {17, 8}, {256, 8}, {400, 8}};
    std::mt19937 random(2);
    for (const auto& [size, depth] : sizesAndDepths) {
        std::vector<Rgb> palette(size);
        for (auto& entry : palette)
            entry = random() | 0xFF000000u;
        for (const bool dither : {false, true}) {
            const Image image = quantiseToPalette(source, palette, dither);
            EXPECT_EQ(image.depth(), depth) << size;
            EXPECT_LT(largestIndex(image), std::min(size, 256));
            for (int i = 0; i < std::min(size, 256); ++i)
                EXPECT_EQ(image.palette()[i], palette[i]);
            if (dither)
                continue;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ASSERT_EQ(image.pixelIndex(x, y),
                              bruteForceNearest(palette, std::min(size, 256), source.pixelColour(x, y)));
        }
    }
}

TEST(QuantiseToPalette, AnEmptyPaletteGivesABlackPicture)
{
    const Image image = quantiseToPalette(gradientPicture(5, 4), {}, true);
    EXPECT_EQ(image.depth(), 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(image.pixelColour(x, y), packRgb(0, 0, 0));
}

TEST(QuantiseToPalette, DitheringTallPicturesLeavesNoSeamBetweenStrips)
{
    // The error per row stays level across the rows where the work is split.
    Image source(64, 2048, 24);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.rgbRow(y)[x] = packRgb(90, 90 + (x & 7), 90);
    const std::vector<Rgb> palette = {packRgb(0, 0, 0), packRgb(255, 255, 255), packRgb(128, 128, 128)};
    const Image image = quantiseToPalette(source, palette, true);
    for (int y = 16; y < source.height() - 16; y += 16) {
        const auto block = meanColour(image, 0, y - 8, 64, 16);
        EXPECT_NEAR(block[0], 90, 4.0) << "rows around " << y;
    }
}

} // namespace
} // namespace vask
