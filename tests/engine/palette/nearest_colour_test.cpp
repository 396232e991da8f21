#include "engine/ops/palette/nearest_colour.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

namespace vask {
namespace {

int bruteForceNearest(const std::vector<Rgb>& palette, unsigned r, unsigned g, unsigned b)
{
    int best = 0;
    long bestDistance = LONG_MAX;
    for (std::size_t i = 0; i < palette.size() && i < 256; ++i) {
        const long dr = long(redOf(palette[i])) - r;
        const long dg = long(greenOf(palette[i])) - g;
        const long db = long(blueOf(palette[i])) - b;
        const long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = int(i);
        }
    }
    return best;
}

std::vector<Rgb> randomPalette(int size, std::mt19937& random, bool withDuplicates)
{
    std::vector<Rgb> palette(size);
    for (auto& entry : palette)
        entry = random() | 0xFF000000u;
    if (withDuplicates && size > 2)
        for (int i = 0; i < size / 4; ++i)
            palette[random() % size] = palette[random() % size];
    return palette;
}

struct PaletteCase {
    int size;
    bool duplicates;
    bool clustered;
};

class NearestColourAgreesWithBruteForce : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(NearestColourAgreesWithBruteForce, OnRandomColours)
{
    const PaletteCase c = GetParam();
    std::mt19937 random(1234 + c.size);
    for (int round = 0; round < 3; ++round) {
        std::vector<Rgb> palette = randomPalette(c.size, random, c.duplicates);
        if (c.clustered) // Entries a level or two apart make ties and crowded cells.
            for (auto& entry : palette)
                entry = packRgb(100 + random() % 4, 50 + random() % 3, 200 + random() % 5);
        NearestColour finder(palette);
        for (int i = 0; i < 200000; ++i) {
            const unsigned r = random() & 0xFF, g = random() & 0xFF, b = random() & 0xFF;
            ASSERT_EQ(finder.indexOf(r, g, b), bruteForceNearest(palette, r, g, b))
                << "colour " << r << "," << g << "," << b << " palette size " << c.size;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(PaletteSizes, NearestColourAgreesWithBruteForce,
                         ::testing::Values(PaletteCase{1, false, false}, PaletteCase{2, false, false},
                                           PaletteCase{2, true, true}, PaletteCase{16, false, false},
                                           PaletteCase{16, true, false}, PaletteCase{16, true, true},
                                           PaletteCase{256, false, false}, PaletteCase{256, true, false},
                                           PaletteCase{256, true, true}, PaletteCase{300, false, false}));

TEST(NearestColour, EqualDistancesGoToTheLowerIndex)
{
    // 10 is as far from 0 as from 20; the duplicate white at 3 loses to index 1.
    const std::vector<Rgb> palette = {packRgb(20, 20, 20), packRgb(255, 255, 255), packRgb(0, 0, 0),
                                      packRgb(255, 255, 255)};
    NearestColour finder(palette);
    EXPECT_EQ(finder.indexOf(10, 10, 10), 0);
    EXPECT_EQ(finder.indexOf(255, 255, 255), 1);
    EXPECT_EQ(finder.indexOf(0, 0, 0), 2);
    EXPECT_EQ(finder.indexOf(packRgb(250, 250, 250)), 1);
}

TEST(NearestColour, EveryColourOfTheCubeMatchesBruteForceOnASmallPalette)
{
    std::mt19937 random(7);
    const std::vector<Rgb> palette = randomPalette(16, random, true);
    NearestColour finder(palette);
    for (unsigned r = 0; r < 256; r += 3)
        for (unsigned g = 0; g < 256; ++g)
            for (unsigned b = 0; b < 256; b += 5)
                ASSERT_EQ(finder.indexOf(r, g, b), bruteForceNearest(palette, r, g, b));
}

TEST(NearestColour, ACopyAnswersLikeTheOriginal)
{
    std::mt19937 random(99);
    const std::vector<Rgb> palette = randomPalette(64, random, false);
    NearestColour warm(palette);
    for (int i = 0; i < 5000; ++i)
        warm.indexOf(random() | 0xFF000000u);
    NearestColour copy = warm;
    for (int i = 0; i < 50000; ++i) {
        const Rgb colour = random() | 0xFF000000u;
        ASSERT_EQ(copy.indexOf(colour),
                  bruteForceNearest(palette, redOf(colour), greenOf(colour), blueOf(colour)));
    }
}

TEST(NearestColour, AnEmptyPaletteAnswersZero)
{
    NearestColour finder({});
    EXPECT_EQ(finder.indexOf(1, 2, 3), 0);
    EXPECT_EQ(finder.indexOf(255, 255, 255), 0);
}

} // namespace
} // namespace vask
