#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/geometry/resample.h"
#include "tests/support/test_pictures.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <tuple>
#include <vector>

using namespace vask;

namespace {

// A picture without hard edges: low-frequency waves in every channel.
Image smoothPicture(int width, int height)
{
    Image image(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.rgbRow(y)[x] =
                packRgb(unsigned(128 + 90 * std::sin(x / 9.0)), unsigned(128 + 90 * std::cos(y / 7.0)),
                        unsigned(128 + 60 * std::sin((x + y) / 13.0)));
    return image;
}

std::vector<double> meanColour(const Image& image)
{
    std::vector<double> sum(3, 0.0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const Rgb p = image.pixelColour(x, y);
            sum[0] += redOf(p);
            sum[1] += greenOf(p);
            sum[2] += blueOf(p);
        }
    for (double& s : sum)
        s /= double(image.width()) * image.height();
    return sum;
}

// A direct double-precision Lanczos-3 in two dimensions, written from the textbook
// definition: the kernel is widened by the reduction factor, taps outside the picture are
// left out, and each output pixel is normalised by its own weight sum.
std::vector<std::vector<double>> referenceWeights(int from, int to)
{
    const double scale = double(to) / from;
    const double widen = scale < 1 ? 1 / scale : 1;
    std::vector<std::vector<double>> weights(to, std::vector<double>(from, 0.0));
    for (int i = 0; i < to; ++i) {
        const double centre = (i + 0.5) / scale;
        double total = 0;
        for (int j = 0; j < from; ++j) {
            const double x = (j + 0.5 - centre) / widen;
            double w = 0;
            if (x == 0)
                w = 1;
            else if (std::abs(x) < 3)
                w = 3 * std::sin(std::numbers::pi * x) * std::sin(std::numbers::pi * x / 3) /
                    (std::numbers::pi * std::numbers::pi * x * x);
            weights[i][j] += w;
            total += w;
        }
        for (double& w : weights[i])
            w /= total;
    }
    return weights;
}

Image referenceLanczos(const Image& source, int width, int height)
{
    const auto across = referenceWeights(source.width(), width);
    const auto down = referenceWeights(source.height(), height);
    Image out(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            double channel[3] = {0, 0, 0};
            for (int sy = 0; sy < source.height(); ++sy)
                for (int sx = 0; sx < source.width(); ++sx) {
                    const double w = across[x][sx] * down[y][sy];
                    const Rgb p = source.pixelColour(sx, sy);
                    channel[0] += w * redOf(p);
                    channel[1] += w * greenOf(p);
                    channel[2] += w * blueOf(p);
                }
            out.rgbRow(y)[x] =
                packRgb(clampToByte(int(std::lround(channel[0]))), clampToByte(int(std::lround(channel[1]))),
                        clampToByte(int(std::lround(channel[2]))));
        }
    return out;
}

const char* nameOf(ResampleQuality quality)
{
    return quality == ResampleQuality::Fast ? "Fast" : "High";
}

} // namespace

class FlatPictureTest : public ::testing::TestWithParam<std::tuple<int, ResampleQuality>> {};

TEST_P(FlatPictureTest, StaysExactlyFlatAtEveryScale)
{
    const auto [depth, quality] = GetParam();
    const Rgb colour = depth == 24  ? packRgb(200, 17, 93)
                       : depth == 1 ? packRgb(255, 255, 255)
                                    : packRgb(85, 85, 85);
    const Image source = createImage(depth, 37, 23, colour);
    const std::pair<int, int> sizes[] = {{1, 1},   {5, 3},   {18, 11}, {37, 23},  {36, 22},  {38, 24},
                                         {74, 46}, {100, 7}, {3, 90},  {111, 69}, {200, 200}};
    for (const auto& [width, height] : sizes) {
        const Image out = resampleImage(source, width, height, quality);
        ASSERT_EQ(out.width(), width);
        ASSERT_EQ(out.height(), height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(out.pixelColour(x, y), colour)
                    << width << " x " << height << " " << nameOf(quality) << " at " << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepthsAndQualities, FlatPictureTest,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24),
                                            ::testing::Values(ResampleQuality::Fast, ResampleQuality::High)));

TEST(Resample, IdentitySizeReturnsTheSamePixels)
{
    const Image noise = test::noisePicture(31, 17, 7);
    for (ResampleQuality quality : {ResampleQuality::Fast, ResampleQuality::High})
        EXPECT_TRUE(test::sameColours(resampleImage(noise, 31, 17, quality), noise)) << nameOf(quality);
    const Image palette = test::palettePicture(13, 9, 4, 3);
    const Image fast = resampleImage(palette, 13, 9, ResampleQuality::Fast);
    EXPECT_EQ(fast.depth(), 4);
    EXPECT_TRUE(test::sameColours(fast, palette));
    const Image high = resampleImage(palette, 13, 9, ResampleQuality::High);
    EXPECT_EQ(high.depth(), 24);
    EXPECT_TRUE(test::sameColours(high, palette));
}

TEST(Resample, PaletteDepthIsKeptWhenFastAndBecomesTrueColourWhenHigh)
{
    for (int depth : {1, 4, 8}) {
        const Image source = test::palettePicture(20, 10, depth, 11);
        const Image fast = resampleImage(source, 7, 15, ResampleQuality::Fast);
        EXPECT_EQ(fast.depth(), depth);
        EXPECT_EQ(fast.palette(), source.palette());
        EXPECT_EQ(resampleImage(source, 7, 15, ResampleQuality::High).depth(), 24);
    }
}

TEST(Resample, DoublingThenHalvingASmoothPictureComesBackClose)
{
    const Image source = smoothPicture(61, 43);
    const Image doubled = resampleImage(source, 122, 86, ResampleQuality::High);
    const Image back = resampleImage(doubled, 61, 43, ResampleQuality::High);
    EXPECT_LE(test::maxChannelDifference(back, source), 2);
    EXPECT_GT(test::psnr(back, source), 45.0);
}

TEST(Resample, HalvingWithHighKeepsTheMeanColour)
{
    for (const Image& source :
         {test::noisePicture(64, 48, 5), smoothPicture(90, 62), test::gradientPicture(50, 50)}) {
        const Image half =
            resampleImage(source, source.width() / 2, source.height() / 2, ResampleQuality::High);
        const auto before = meanColour(source);
        const auto after = meanColour(half);
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(after[c], before[c], 1.0) << "channel " << c;
    }
}

TEST(Resample, HighAgreesWithADirectDoublePrecisionLanczos)
{
    const Image noise = test::noisePicture(23, 17, 9);
    const std::pair<int, int> sizes[] = {{10, 31}, {46, 8}, {7, 5}, {23, 40}, {5, 17}, {1, 1}, {2, 3}};
    for (const auto& [width, height] : sizes) {
        const Image ours = resampleImage(noise, width, height, ResampleQuality::High);
        const Image reference = referenceLanczos(noise, width, height);
        EXPECT_LE(test::maxChannelDifference(ours, reference), 1) << width << " x " << height;
    }
    const Image small = test::noisePicture(3, 2, 4);
    EXPECT_LE(test::maxChannelDifference(resampleImage(small, 11, 9, ResampleQuality::High),
                                         referenceLanczos(small, 11, 9)),
              1);
}

TEST(Resample, NearestPicksPixelCentresForWholeFactors)
{
    // Pixel (x, y) holds colour 10 x + y, so each output names the pixel it came from.
    Image source(6, 6, 24);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            source.rgbRow(y)[x] = packRgb(0, 0, 10 * x + y);
    auto from = [](const Image& image, int x, int y) { return int(blueOf(image.pixelColour(x, y))); };

    // A third: the middle pixel of every 3 x 3 block.
    const Image third = resampleImage(source, 2, 2, ResampleQuality::Fast);
    EXPECT_EQ(from(third, 0, 0), 11);
    EXPECT_EQ(from(third, 1, 0), 41);
    EXPECT_EQ(from(third, 0, 1), 14);
    EXPECT_EQ(from(third, 1, 1), 44);

    // A half: the centre (x + 0.5) x 2 = 2x + 1 falls on the second pixel of every pair.
    const Image half = resampleImage(source, 3, 3, ResampleQuality::Fast);
    const int expectedHalf[3][3] = {{11, 31, 51}, {13, 33, 53}, {15, 35, 55}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(from(half, x, y), expectedHalf[y][x]) << x << "," << y;

    // Three times larger: every pixel becomes a 3 x 3 block.
    const Image triple = resampleImage(source, 18, 18, ResampleQuality::Fast);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x)
            ASSERT_EQ(from(triple, x, y), 10 * (x / 3) + y / 3) << x << "," << y;
}

TEST(Resample, OnePixelGrowsToFiveByThreeAndShrinksBack)
{
    Image one(1, 1, 24);
    one.rgbRow(0)[0] = packRgb(12, 200, 77);
    for (ResampleQuality quality : {ResampleQuality::Fast, ResampleQuality::High}) {
        const Image grown = resampleImage(one, 5, 3, quality);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_EQ(grown.pixelColour(x, y), one.pixelColour(0, 0)) << nameOf(quality);
        const Image back = resampleImage(grown, 1, 1, quality);
        EXPECT_EQ(back.pixelColour(0, 0), one.pixelColour(0, 0)) << nameOf(quality);
    }
}

TEST(Resample, StrongReductionsAverageAFinePattern)
{
    // Hundreds to thousands of taps per output pixel, each weight a few steps of 1/16384.
    for (const auto& [from, to, tolerance] : {std::tuple{6000, 60, 1}, std::tuple{32767, 33, 3}}) {
        Image line(from, 2, 24);
        for (int x = 0; x < from; ++x) {
            line.rgbRow(0)[x] = x % 2 ? packRgb(255, 255, 255) : packRgb(0, 0, 0);
            line.rgbRow(1)[x] = line.rgbRow(0)[x];
        }
        const Image out = resampleImage(line, to, 1, ResampleQuality::High);
        for (int x = 0; x < to; ++x)
            ASSERT_NEAR(int(greenOf(out.pixelColour(x, 0))), 128, tolerance)
                << from << " to " << to << " at " << x;
    }
}

TEST(Resample, RefusesSidesOutsideOneTo32767)
{
    const Image source = test::noisePicture(4, 4, 1);
    for (ResampleQuality quality : {ResampleQuality::Fast, ResampleQuality::High}) {
        EXPECT_THROW(resampleImage(source, 0, 4, quality), ImageError);
        EXPECT_THROW(resampleImage(source, 4, 0, quality), ImageError);
        EXPECT_THROW(resampleImage(source, -3, 4, quality), ImageError);
        EXPECT_THROW(resampleImage(source, 32768, 4, quality), ImageError);
        EXPECT_THROW(resampleImage(source, 4, 32768, quality), ImageError);
        EXPECT_THROW(resampleImage(Image(), 4, 4, quality), ImageError);
    }
    EXPECT_NO_THROW(resampleImage(source, 32767, 1, ResampleQuality::High));
}

TEST(Resample, OddWidthsAndRowPaddingDoNotLeakIntoTheResult)
{
    // Garbage in the padding of each row must not reach the edge pixels.
    Image source = createImage(24, 17, 5, packRgb(40, 80, 120));
    for (int y = 0; y < source.height(); ++y)
        std::fill(source.rgbRow(y) + source.width(), reinterpret_cast<Rgb*>(source.row(y) + source.stride()),
                  packRgb(255, 0, 255));
    for (int width : {3, 9, 16, 33, 50}) {
        const Image out = resampleImage(source, width, 7, ResampleQuality::High);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < width; ++x)
                ASSERT_EQ(out.pixelColour(x, y), packRgb(40, 80, 120)) << width;
    }
}
