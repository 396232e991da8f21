#include "engine/ops/adjust/equalize.h"

#include "engine/ops/adjust/histogram.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

namespace vask {
namespace {

// The largest share of the picture's pixels at one luminance level.
double largestLevelShare(const Image& image)
{
    const Histogram histogram = computeHistogram(image, 0);
    return double(*std::max_element(histogram.begin(), histogram.end())) /
           (double(image.width()) * image.height());
}

// The largest gap between the picture's cumulative luminance distribution and a flat one.
double distanceFromFlat(const Image& image)
{
    const Histogram histogram = computeHistogram(image, 0);
    const double total = double(image.width()) * image.height();
    double cumulative = 0, worst = 0;
    for (int level = 0; level < 256; ++level) {
        cumulative += double(histogram[level]);
        worst = std::max(worst, std::fabs(cumulative / total - (level + 1) / 256.0));
    }
    return worst;
}

// A dim, low-contrast picture: levels squeezed into 40..100 with a bias towards the low end.
Image dimPicture()
{
    Image image = test::noisePicture(300, 200, 12u);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = image.rgbRow(y)[x];
            const auto squeeze = [](unsigned v) { return 40 + v * v * 60 / (255 * 255); };
            image.rgbRow(y)[x] = packRgb(squeeze(redOf(p)), squeeze(greenOf(p)), squeeze(blueOf(p)));
        }
    return image;
}

TEST(HistogramEqualize, LuminanceOfNoiseGradientAndDimPicturesBecomesFlat)
{
    const Image pictures[3] = {test::noisePicture(512, 512, 4u), test::gradientPicture(400, 300),
                               dimPicture()};
    for (const Image& original : pictures) {
        Image image = original;
        histogramEqualize(image);
        // A level's pixels all go to one new level, so flat means within that level's share.
        const double allowed = std::max(0.02, largestLevelShare(original) + 0.005);
        EXPECT_LT(distanceFromFlat(image), allowed) << "before " << distanceFromFlat(original);
        EXPECT_LT(distanceFromFlat(image), distanceFromFlat(original) / 4);
    }
}

TEST(HistogramEqualize, ColoursKeepTheOrderOfTheirChannels)
{
    const Image original = dimPicture();
    Image image = original;
    histogramEqualize(image);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = original.rgbRow(y)[x], q = image.rgbRow(y)[x];
            const auto keepsOrder = [](unsigned a, unsigned b, unsigned a2, unsigned b2) {
                return (a > b && a2 >= b2) || (a < b && a2 <= b2) || (a == b && a2 == b2);
            };
            ASSERT_TRUE(keepsOrder(redOf(p), greenOf(p), redOf(q), greenOf(q))) << std::hex << p << " " << q;
            ASSERT_TRUE(keepsOrder(greenOf(p), blueOf(p), greenOf(q), blueOf(q)))
                << std::hex << p << " " << q;
            ASSERT_TRUE(keepsOrder(redOf(p), blueOf(p), redOf(q), blueOf(q))) << std::hex << p << " " << q;
        }
}

TEST(HistogramEqualize, GreysStayGreyAndSpanBlackToWhite)
{
    Image image(64, 4, 24);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 64; ++x)
            image.rgbRow(y)[x] = packRgb(100 + x, 100 + x, 100 + x);
    histogramEqualize(image);
    EXPECT_EQ(image.rgbRow(0)[0], packRgb(0, 0, 0));
    EXPECT_EQ(image.rgbRow(3)[63], packRgb(255, 255, 255));
    for (int x = 1; x < 64; ++x) {
        const Rgb p = image.rgbRow(0)[x];
        ASSERT_TRUE(redOf(p) == greenOf(p) && greenOf(p) == blueOf(p));
        ASSERT_GT(redOf(p), redOf(image.rgbRow(0)[x - 1]));
    }
}

TEST(HistogramEqualize, SingleColourPictureIsLeftAsItIs)
{
    Image image(7, 5, 24);
    image.fill(packRgb(90, 40, 200));
    const Image original = image;
    histogramEqualize(image);
    EXPECT_TRUE(test::sameColours(image, original));
}

TEST(HistogramEqualize, PalettePictureEqualisesItsEntriesByPixelCounts)
{
    // Three entries; pixels use entry 0 (dark) half the time.
    Image image(4, 2, 4);
    std::vector<Rgb> palette(16, packRgb(0, 0, 0));
    palette[0] = packRgb(20, 20, 20);
    palette[1] = packRgb(30, 30, 30);
    palette[2] = packRgb(40, 40, 40);
    palette[5] = packRgb(250, 0, 0); // unused
    image.setPalette(palette);
    const std::uint8_t indices[8] = {0, 0, 0, 0, 1, 1, 2, 2};
    for (int i = 0; i < 8; ++i)
        image.row(i / 4)[i % 4] = indices[i];
    histogramEqualize(image);
    EXPECT_EQ(image.paletteEntry(0), packRgb(0, 0, 0));
    // cumulative 6 of 8 over the 4 above the lowest: (6 - 4) / (8 - 4) x 255 = 127.5
    EXPECT_EQ(image.paletteEntry(1), packRgb(128, 128, 128));
    EXPECT_EQ(image.paletteEntry(2), packRgb(255, 255, 255));
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(image.row(i / 4)[i % 4], indices[i]);
}

TEST(HistogramEqualize, EmptyAndOnePixelPicturesAreFine)
{
    Image empty;
    histogramEqualize(empty);
    stretchIntensity(empty);
    Image one(1, 1, 24);
    one.fill(packRgb(1, 2, 3));
    histogramEqualize(one);
    EXPECT_EQ(one.rgbRow(0)[0], packRgb(1, 2, 3));
    // Its channels are three levels to stretch: (2 - 1) x 255 / 2 = 127.5
    stretchIntensity(one);
    EXPECT_EQ(one.rgbRow(0)[0], packRgb(0, 128, 255));
}

TEST(StretchIntensity, ResultSpansBlackToWhiteAndKeepsTheOrderOfLevels)
{
    const Image original = dimPicture();
    Image image = original;
    stretchIntensity(image);
    std::map<unsigned, unsigned> mapping; // old level -> new level, over all channels
    unsigned lowest = 255, highest = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = original.rgbRow(y)[x], q = image.rgbRow(y)[x];
            for (int shift : {0, 8, 16}) {
                const unsigned before = (p >> shift) & 0xFF, after = (q >> shift) & 0xFF;
                const auto [it, inserted] = mapping.emplace(before, after);
                ASSERT_EQ(it->second, after) << "one level mapped two ways";
                lowest = std::min(lowest, after);
                highest = std::max(highest, after);
            }
        }
    EXPECT_EQ(lowest, 0u);
    EXPECT_EQ(highest, 255u);
    unsigned previous = 0;
    for (const auto& [before, after] : mapping) {
        EXPECT_GE(after, previous) << "level " << before;
        previous = after;
    }
}

TEST(StretchIntensity, OneLevelAndFullRangePicturesAreLeftAsTheyAre)
{
    Image grey(5, 3, 24);
    grey.fill(packRgb(77, 77, 77));
    Image stretched = grey;
    stretchIntensity(stretched);
    EXPECT_TRUE(test::sameColours(stretched, grey));
    const Image noise = test::noisePicture(64, 64, 2u);
    stretched = noise;
    stretchIntensity(stretched);
    EXPECT_TRUE(test::sameColours(stretched, noise));
}

TEST(StretchIntensity, PalettePictureStretchesOverTheEntriesItUses)
{
    Image image(3, 1, 8);
    std::vector<Rgb> palette(256, packRgb(0, 0, 0)); // unused black entries do not count
    palette[10] = packRgb(60, 60, 60);
    palette[11] = packRgb(110, 80, 160);
    image.setPalette(palette);
    image.row(0)[0] = 10;
    image.row(0)[1] = 11;
    image.row(0)[2] = 11;
    stretchIntensity(image);
    EXPECT_EQ(image.paletteEntry(10), packRgb(0, 0, 0));
    // (110 - 60) x 255 / 100 = 127.5, (80 - 60) x 255 / 100 = 51
    EXPECT_EQ(image.paletteEntry(11), packRgb(128, 51, 255));
}

} // namespace
} // namespace vask
