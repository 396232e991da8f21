#include "engine/ops/palette/nearest_colour.h"

#include "tests/engine/palette/palette_checks.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <vector>

namespace vask {
namespace {

using test::bruteForceNearest;

// Clustered entries are a level or two apart: ties and crowded cells.
std::vector<Rgb> randomPalette(int size, std::mt19937& random, bool withDuplicates, bool clustered = false)
{
    std::vector<Rgb> palette(size);
    for (auto& entry : palette)
        entry = clustered ? packRgb(100 + random() % 4, 50 + random() % 3, 200 + random() % 5)
                          : random() | 0xFF000000u;
    if (withDuplicates && size > 2)
        for (int i = 0; i < size / 4; ++i)
            palette[random() % size] = palette[random() % size];
    return palette;
}

TEST(NearestColour, AgreesWithBruteForceOnRandomColoursForEveryPaletteSize)
{
    // size, duplicate entries, clustered entries
    const std::tuple<int, bool, bool> cases[] = {
        {1, false, false}, {2, false, false},   {2, true, true},    {16, false, false}, {16, true, false},
        {16, true, true},  {256, false, false}, {256, true, false}, {256, true, true},  {300, false, false}};
    for (const auto& [size, duplicates, clustered] : cases) {
        std::mt19937 random(1234 + size);
        for (int round = 0; round < 3; ++round) {
            const std::vector<Rgb> palette = randomPalette(size, random, duplicates, clustered);
            NearestColour finder(palette);
            for (int i = 0; i < 200000; ++i) {
                const Rgb colour = random() | 0xFF000000u;
                ASSERT_EQ(finder.indexOf(colour), bruteForceNearest(palette, colour))
                    << std::hex << colour << " palette size " << std::dec << size;
            }
        }
    }
}

TEST(NearestColour, EqualDistancesGoToTheLowerIndexAndAnEmptyPaletteAnswersZero)
{
    // 10 is as far from 0 as from 20; the duplicate white at 3 loses to index 1.
    NearestColour finder(
        {packRgb(20, 20, 20), packRgb(255, 255, 255), packRgb(0, 0, 0), packRgb(255, 255, 255)});
    EXPECT_EQ(finder.indexOf(10, 10, 10), 0);
    EXPECT_EQ(finder.indexOf(255, 255, 255), 1);
    EXPECT_EQ(finder.indexOf(0, 0, 0), 2);
    EXPECT_EQ(finder.indexOf(packRgb(250, 250, 250)), 1);
    NearestColour empty({});
    EXPECT_EQ(empty.indexOf(1, 2, 3), 0);
    EXPECT_EQ(empty.indexOf(255, 255, 255), 0);
}

TEST(NearestColour, AWarmedUpCopyMatchesBruteForceOverTheCube)
{
    std::mt19937 random(7);
    const std::vector<Rgb> palette = randomPalette(16, random, true);
    NearestColour warm(palette);
    for (int i = 0; i < 5000; ++i)
        warm.indexOf(random() | 0xFF000000u);
    NearestColour copy = warm;
    for (unsigned r = 0; r < 256; r += 3)
        for (unsigned g = 0; g < 256; ++g)
            for (unsigned b = 0; b < 256; b += 5)
                ASSERT_EQ(copy.indexOf(r, g, b), bruteForceNearest(palette, packRgb(r, g, b)));
}

} // namespace
} // namespace vask
