#include "engine/ops/palette/reduce_colors.h"

#include "engine/image/true_colour.h"

#include "tests/engine/palette/palette_checks.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <set>
#include <tuple>

namespace vask {
namespace {

using namespace test;

// The colours of the picture, or its indices.
std::set<Rgb> coloursOf(const Image& image, bool indices = false)
{
    std::set<Rgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(indices ? Rgb(image.pixelIndex(x, y)) : image.pixelColour(x, y));
    return colours;
}

// The mean colour of a block of the picture, per channel.
std::array<double, 3> meanColour(const Image& image, int left, int top, int width, int height)
{
    std::array<double, 3> sum{};
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            for (int c = 0; c < 3; ++c)
                sum[c] += (image.pixelColour(x, y) >> (16 - 8 * c)) & 0xFF;
    for (auto& s : sum)
        s /= double(width) * height;
    return sum;
}

using Options = std::tuple<int, bool, bool, bool>; // count, optimise, dither, bleed

class ReduceColorsOptions : public ::testing::TestWithParam<Options> {};

TEST_P(ReduceColorsOptions, GivesTheDepthForTheCountNearestEntriesWithoutDitherAndKeepsFewColoursExactly)
{
    const auto [asked, optimise, dither, bleed] = GetParam();
    const int count = std::clamp(asked, 2, 256);
    // Palette pictures and true-colour copies of them hold exactly 2, 16 or 256 colours.
    std::vector<Image> sources = {gradientPicture(97, 61), Image(41, 23, 24)};
    sources.back().fill(packRgb(1, 2, 3));
    const std::pair<int, int> sizes[] = {{33, 17}, {1, 1}, {1, 7}, {7, 1}, {2, 3}, {3, 5}, {65, 3}};
    for (const auto& [w, h] : sizes)
        sources.push_back(noisePicture(w, h, 77u + w * 31 + h));
    for (const int depth : {1, 4, 8}) {
        sources.push_back(palettePicture(19 + depth * 5, 11, depth, 6u + depth));
        sources.push_back(toTrueColour(palettePicture(160, 100, depth, 17u + depth)));
    }
    for (const Image& source : sources) {
        Image image = source;
        reduceColors(image, asked, optimise, dither, bleed);
        EXPECT_EQ(image.depth(), count <= 2 ? 1 : (count <= 16 ? 4 : 8));
        EXPECT_EQ(std::pair(image.width(), image.height()), std::pair(source.width(), source.height()));
        EXPECT_EQ(image.palette().size(), std::size_t(1) << image.depth());
        EXPECT_LT(*coloursOf(image, true).rbegin(), Rgb(count)) << "the black padding is never used";
        if (!dither)
            expectNearestEverywhere(image, source, count);
        if (coloursOf(source).size() <= std::size_t(count)) {
            EXPECT_TRUE(sameColours(image, source)) << source.width() << " x " << source.height();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(CountsAndFlags, ReduceColorsOptions,
                         ::testing::Combine(::testing::Values(0, 2, 5, 16, 100, 256, 100000),
                                            ::testing::Bool(), ::testing::Bool(), ::testing::Bool()));

TEST(ReduceColors, ANullPictureStaysNullAndAnEmptyPaletteGivesABlackPicture)
{
    Image image;
    reduceColors(image, 16, true, true, true);
    EXPECT_TRUE(image.isNull());
    EXPECT_TRUE(optimisedPalette(image, 16).empty());
    EXPECT_TRUE(quantiseToPalette(image, {packRgb(1, 2, 3)}, true).isNull());
    const Image black = quantiseToPalette(gradientPicture(5, 4), {}, true);
    EXPECT_EQ(black.depth(), 1);
    EXPECT_EQ(coloursOf(black), std::set<Rgb>{packRgb(0, 0, 0)});
}

TEST(ReduceColors, OptimisedDitheredGradientKeepsItsQuality)
{
    // Ramps in red and green with blue between them: a surface through the colour cube.
    Image source(256, 256, 24);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            source.rgbRow(y)[x] = packRgb(x, y, (x + y) / 2);
    const auto dithered = [](Image image, int count, bool optimise) {
        reduceColors(image, count, optimise, true, false);
        return image;
    };
    const double optimised = psnr(source, dithered(source, 256, true));
    EXPECT_GT(optimised, 31.0);
    EXPECT_GT(optimised, psnr(source, dithered(source, 256, false)) + 5.0); // the fixed palette cannot follow
    EXPECT_GT(psnr(source, dithered(source, 16, true)), 19.5);
    // Colours filling the whole cube are harder.
    const Image cube = gradientPicture(256, 256);
    EXPECT_GT(psnr(cube, dithered(cube, 256, true)), 23.0);
}

TEST(ReduceColors, DitherKeepsTheMeanColourOfAFlatArea)
{
    // A flat block inside noise, so the picture has too many colours to keep.
    for (const int count : {2, 16, 256}) {
        Image image = noisePicture(160, 160, 9);
        for (int y = 20; y < 140; ++y)
            std::fill_n(image.rgbRow(y) + 20, 120, packRgb(100, 150, 200));
        reduceColors(image, count, false, true, false);
        // Measured away from the noise, which the error crosses for a few pixels.
        const auto mean = meanColour(image, 30, 30, 100, 100);
        const double average = (mean[0] + mean[1] + mean[2]) / 3; // all black and white can keep
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(count == 2 ? average : mean[c], count == 2 ? 150 : 100 + 50 * c, count == 2 ? 2 : 1.5)
                << count;
    }
}

TEST(ReduceColors, BleedStopsErrorSmearingAcrossAHardEdge)
{
    // The left half is darker than the darker entry, so its error piles up to about -64; at
    // the edge that pull turns the lighter right half to the tie between both entries.
    Image image(200, 100, 24);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            image.rgbRow(y)[x] = x < 100 ? 0xFF000000u | x * y % 21 * 0x010101u : packRgb(192, 192, 192);
    int spilt[2] = {}; // pixels of the right half that did not keep their exact colour
    for (const bool bleed : {false, true}) {
        const Image reduced =
            quantiseToPalette(image, {packRgb(64, 64, 64), packRgb(192, 192, 192)}, true, bleed);
        for (int y = 0; y < 100; ++y)
            for (int x = 100; x < 200; ++x)
                spilt[bleed] += reduced.pixelIndex(x, y) != 1;
    }
    EXPECT_GT(spilt[0], 20);
    EXPECT_LT(spilt[1], spilt[0] / 4);
}

TEST(OptimisedPalette, FindsTheCentresOfTightClusters)
{
    const Rgb centres[4] = {packRgb(20, 30, 40), packRgb(200, 40, 90), packRgb(90, 220, 10),
                            packRgb(240, 240, 240)};
    std::mt19937 random(8);
    Image image(120, 80, 24);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x) // each channel -3..4 off its centre
            image.rgbRow(y)[x] = centres[(x / 30 + y) % 4] + (random() & 0x070707u) - 0x030303u;
    const std::vector<Rgb> palette = optimisedPalette(image, 4);
    ASSERT_EQ(palette.size(), 4u);
    for (const Rgb c : centres) {
        const Rgb found = palette[bruteForceNearest(palette, c, 4)];
        for (const int shift : {0, 8, 16})
            EXPECT_LE(std::abs(int((found >> shift) & 0xFF) - int((c >> shift) & 0xFF)), 1) << std::hex << c;
    }
}

TEST(OptimisedPalette, ListsTheColoursOfAPictureThatHasFewEnoughAndNeverExceedsTheCount)
{
    const Image few = toTrueColour(palettePicture(30, 20, 4, 6));
    const std::vector<Rgb> palette = optimisedPalette(few, 16);
    EXPECT_EQ(std::set<Rgb>(palette.begin(), palette.end()), coloursOf(few));
    const Image many = noisePicture(100, 100, 12);
    for (const int count : {2, 3, 16, 17, 255, 256})
        EXPECT_LE(optimisedPalette(many, count).size(), std::size_t(count));
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
        const int used = std::min(size, 256);
        for (const bool dither : {false, true}) {
            const Image image = quantiseToPalette(source, palette, dither);
            EXPECT_EQ(image.depth(), depth) << size;
            EXPECT_LT(*coloursOf(image, true).rbegin(), Rgb(used));
            EXPECT_TRUE(std::equal(palette.begin(), palette.begin() + used, image.palette().begin()));
            if (!dither)
                expectNearestEverywhere(image, source, used);
        }
    }
}

TEST(QuantiseToPalette, DitheringTallPicturesLeavesNoSeamBetweenStrips)
{
    // The error per row stays level across the rows where the work is split.
    Image source(64, 2048, 24);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.rgbRow(y)[x] = packRgb(90, 90 + (x & 7), 90);
    const Image image =
        quantiseToPalette(source, {packRgb(0, 0, 0), packRgb(255, 255, 255), packRgb(128, 128, 128)}, true);
    for (int y = 16; y < source.height() - 16; y += 16)
        EXPECT_NEAR(meanColour(image, 0, y - 8, 64, 16)[0], 90, 4.0) << "rows around " << y;
}

} // namespace
} // namespace vask
