#include "engine/ops/adjust/equalize.h"

#include "engine/ops/adjust/histogram.h"
#include "tests/engine/adjust/adjust_checks.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace vask {
namespace {

using namespace test;

// The largest gap between the picture's cumulative luminance distribution and a flat one, and
// the largest share of its pixels at one luminance level.
std::pair<double, double> distanceFromFlatAndLargestShare(const Image& image)
{
    const Histogram histogram = computeHistogram(image, 0);
    const double total = double(image.width()) * image.height();
    double cumulative = 0, worst = 0;
    for (int level = 0; level < 256; ++level) {
        cumulative += double(histogram[level]);
        worst = std::max(worst, std::fabs(cumulative / total - (level + 1) / 256.0));
    }
    return {worst, double(*std::max_element(histogram.begin(), histogram.end())) / total};
}

// A dim, low-contrast picture: levels squeezed into 40..100 with a bias towards the low end.
Image dimPicture()
{
    Image image = noisePicture(300, 200, 12u);
    const auto squeeze = [](unsigned v) { return 40 + v * v * 60 / (255 * 255); };
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = image.rgbRow(y)[x];
            image.rgbRow(y)[x] = packRgb(squeeze(redOf(p)), squeeze(greenOf(p)), squeeze(blueOf(p)));
        }
    return image;
}

TEST(HistogramEqualize, LuminanceBecomesFlatAndColoursKeepTheOrderOfTheirChannels)
{
    for (const Image& original : {noisePicture(512, 512, 4u), gradientPicture(400, 300), dimPicture()}) {
        Image image = original;
        histogramEqualize(image);
        const auto [before, largestShare] = distanceFromFlatAndLargestShare(original);
        const double after = distanceFromFlatAndLargestShare(image).first;
        // A level's pixels all go to one new level, so flat means within that level's share.
        EXPECT_LT(after, std::max(0.02, largestShare + 0.005)) << "before " << before;
        EXPECT_LT(after, before / 4);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_TRUE(keepsChannelOrder(original.rgbRow(y)[x], image.rgbRow(y)[x]))
                    << std::hex << original.rgbRow(y)[x];
    }
}

TEST(HistogramEqualize, GreysStayGreyAndSpanBlackToWhite)
{
    Image image(64, 4, 24);
    for (int i = 0; i < 64 * 4; ++i)
        image.rgbRow(i / 64)[i % 64] = grey(100 + i % 64);
    histogramEqualize(image);
    EXPECT_EQ(image.rgbRow(0)[0], grey(0));
    EXPECT_EQ(image.rgbRow(3)[63], grey(255));
    for (int x = 1; x < 64; ++x) {
        ASSERT_EQ(image.rgbRow(0)[x], grey(redOf(image.rgbRow(0)[x])));
        ASSERT_GT(redOf(image.rgbRow(0)[x]), redOf(image.rgbRow(0)[x - 1]));
    }
}

TEST(HistogramEqualize, PalettePictureEqualisesItsEntriesByPixelCounts)
{
    // Three entries; pixels use entry 0 (dark) half the time; entry 5 is unused.
    Image image(4, 2, 4);
    std::vector<Rgb> palette = {grey(20), grey(30), grey(40), grey(0), grey(0), packRgb(250, 0, 0)};
    palette.resize(16, grey(0));
    image.setPalette(palette);
    const std::uint8_t indices[8] = {0, 0, 0, 0, 1, 1, 2, 2};
    for (int i = 0; i < 8; ++i)
        image.row(i / 4)[i % 4] = indices[i];
    histogramEqualize(image);
    EXPECT_EQ(image.paletteEntry(0), grey(0));
    EXPECT_EQ(image.paletteEntry(1), grey(128)); // cumulative 6 of 8 over the 4 above the lowest: 127.5
    EXPECT_EQ(image.paletteEntry(2), grey(255));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(image.row(i / 4)[i % 4], indices[i]);
}

TEST(StretchIntensity, ResultSpansBlackToWhiteAndKeepsTheOrderOfLevels)
{
    const Image original = dimPicture();
    Image image = original;
    stretchIntensity(image);
    std::map<unsigned, unsigned> mapping; // old level -> new level, over all channels
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            for (int shift : {0, 8, 16}) {
                const unsigned before = (original.rgbRow(y)[x] >> shift) & 0xFF;
                const unsigned after = (image.rgbRow(y)[x] >> shift) & 0xFF;
                ASSERT_EQ(mapping.emplace(before, after).first->second, after) << "one level mapped two ways";
            }
    EXPECT_EQ(mapping.begin()->second, 0u);
    EXPECT_EQ(mapping.rbegin()->second, 255u);
    for (auto it = std::next(mapping.begin()); it != mapping.end(); ++it)
        EXPECT_GE(it->second, std::prev(it)->second) << "level " << it->first;
}

TEST(HistogramEqualize, PicturesWithNothingToSpreadAreLeftAsTheyAreByEqualisingAndStretching)
{
    Image one(1, 1, 24), flat(7, 5, 24), greyFlat(5, 3, 24);
    one.fill(packRgb(90, 40, 200));
    flat.fill(packRgb(90, 40, 200));
    greyFlat.fill(grey(77));
    const std::pair<void (*)(Image&), Image> cases[] = {
        {histogramEqualize, Image()}, {histogramEqualize, one},
        {histogramEqualize, flat},    {stretchIntensity, Image()},
        {stretchIntensity, greyFlat}, {stretchIntensity, noisePicture(64, 64, 2u)}};
    for (const auto& [operation, original] : cases) {
        Image image = original;
        operation(image);
        EXPECT_EQ(image.isNull(), original.isNull());
        EXPECT_TRUE(sameColours(image, original)) << original.width() << " x " << original.height();
    }
}

TEST(StretchIntensity, LevelsStretchLinearlyOverTheLevelsInUse)
{
    // The channels of one pixel are three levels to stretch: (2 - 1) x 255 / 2 = 127.5
    Image one(1, 1, 24);
    one.fill(packRgb(1, 2, 3));
    stretchIntensity(one);
    EXPECT_EQ(one.rgbRow(0)[0], packRgb(0, 128, 255));
    // A palette picture counts the entries its pixels use, not the unused black ones.
    Image image(3, 1, 8);
    std::vector<Rgb> palette(256, grey(0));
    palette[10] = grey(60);
    palette[11] = packRgb(110, 80, 160);
    image.setPalette(palette);
    image.row(0)[0] = 10;
    image.row(0)[1] = image.row(0)[2] = 11;
    stretchIntensity(image);
    EXPECT_EQ(image.paletteEntry(10), grey(0));
    EXPECT_EQ(image.paletteEntry(11), packRgb(128, 51, 255)); // 50 x 255 / 100 = 127.5, 20 x 255 / 100
}

} // namespace
} // namespace vask
