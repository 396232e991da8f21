#include "engine/image/create_image.h"
#include "engine/image/image_error.h"
#include "engine/ops/geometry/resample.h"
#include "tests/engine/geometry/hand_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <tuple>
#include <vector>

using namespace vask;

namespace {

constexpr auto kFast = ResampleQuality::Fast;
constexpr auto kHigh = ResampleQuality::High;

// Textbook Lanczos-3 in doubles: widened when reducing, outside taps left out, sets normalised.
std::vector<std::vector<double>> referenceWeights(int from, int to)
{
    const double scale = double(to) / from, widen = scale < 1 ? 1 / scale : 1, pi = std::numbers::pi;
    std::vector<std::vector<double>> weights(to, std::vector<double>(from, 0.0));
    for (int i = 0; i < to; ++i) {
        double total = 0;
        for (int j = 0; j < from; ++j) {
            const double x = (j + 0.5 - (i + 0.5) / scale) / widen;
            const double px = pi * x;
            const double w = x == 0            ? 1
                             : std::abs(x) < 3 ? 3 * std::sin(px) * std::sin(px / 3) / (px * px)
                                               : 0;
            total += weights[i][j] = w;
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
                for (int sx = 0; sx < source.width(); ++sx)
                    for (int c = 0; c < 3; ++c)
                        channel[c] += across[x][sx] * down[y][sy] *
                                      ((source.pixelColour(sx, sy) >> (16 - 8 * c)) & 0xFF);
            auto level = [&](int c) { return clampToByte(int(std::lround(channel[c]))); };
            out.rgbRow(y)[x] = packRgb(level(0), level(1), level(2));
        }
    return out;
}

} // namespace

class ResampleAnyDepth : public ::testing::TestWithParam<std::tuple<int, ResampleQuality>> {};

TEST_P(ResampleAnyDepth, FlatStaysFlatSameSizeStaysTheSameAndOnlyHighGivesTrueColour)
{
    const auto [depth, quality] = GetParam();
    const Image noise = test::pictureOfDepth(depth, 31, 17, 7);
    EXPECT_TRUE(test::sameColours(resampleImage(noise, 31, 17, quality), noise));
    const Rgb grey = depth == 1 ? packRgb(255, 255, 255) : packRgb(85, 85, 85); // on every grey ramp
    const Rgb colour = depth == 24 ? packRgb(200, 17, 93) : grey;
    const std::pair<int, int> sizes[] = {{1, 1},   {5, 3},   {18, 11}, {37, 23},  {36, 22},  {38, 24},
                                         {74, 46}, {100, 7}, {3, 90},  {111, 69}, {200, 200}};
    for (const auto& [fromWidth, fromHeight] : {std::pair{37, 23}, {17, 5}, {1, 1}}) {
        Image source = createImage(depth, fromWidth, fromHeight, colour);
        for (int y = 0; y < fromHeight; ++y) // garbage in the row padding must not leak in
            std::fill(source.row(y) + fromWidth * source.bytesPerPixel(), source.row(y) + source.stride(),
                      0xAB);
        for (const auto& [width, height] : sizes) {
            const Image out = resampleImage(source, width, height, quality);
            ASSERT_TRUE(test::sameColours(out, createImage(24, width, height, colour)))
                << fromWidth << " x " << fromHeight << " to " << width << " x " << height;
            ASSERT_EQ(out.depth(), quality == kFast ? depth : 24);
            ASSERT_EQ(out.palette(), quality == kFast ? source.palette() : std::vector<Rgb>());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepthsAndQualities, ResampleAnyDepth,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24), ::testing::Values(kFast, kHigh)));

TEST(Resample, HighAgreesWithADirectDoublePrecisionLanczos)
{
    const std::array<int, 4> cases[] = {{23, 17, 10, 31}, {23, 17, 46, 8}, {23, 17, 7, 5}, {23, 17, 23, 40},
                                        {23, 17, 5, 17},  {23, 17, 1, 1},  {23, 17, 2, 3}, {3, 2, 11, 9},
                                        {64, 48, 32, 24}, {31, 23, 62, 46}};
    for (const auto& [fromWidth, fromHeight, width, height] : cases) {
        const Image noise = test::noisePicture(fromWidth, fromHeight, 9);
        EXPECT_LE(test::maxChannelDifference(resampleImage(noise, width, height, kHigh),
                                             referenceLanczos(noise, width, height)),
                  1)
            << fromWidth << " x " << fromHeight << " to " << width << " x " << height;
    }
}

TEST(Resample, NearestPicksPixelCentresForWholeFactors)
{
    // Pixel (x, y) holds 10 x + y, so each output names the pixel it came from.
    Image source(6, 6, 24);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            source.rgbRow(y)[x] = packRgb(10 * x + y, 10 * x + y, 10 * x + y);
    // A third takes the middle of each 3 x 3 block, a half the second of each pair (2x + 1).
    EXPECT_EQ(test::handValues(resampleImage(source, 2, 2, kFast)), (std::vector<int>{11, 41, 14, 44}));
    EXPECT_EQ(test::handValues(resampleImage(source, 3, 3, kFast)),
              (std::vector<int>{11, 31, 51, 13, 33, 53, 15, 35, 55}));
    // Three times larger: every pixel becomes a 3 x 3 block.
    const Image triple = resampleImage(source, 18, 18, kFast);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x)
            ASSERT_EQ(int(greenOf(triple.pixelColour(x, y))), 10 * (x / 3) + y / 3) << x << "," << y;
}

TEST(Resample, StrongReductionsAverageAFinePattern)
{
    // Hundreds to thousands of taps per output pixel, each weight a few steps of 1/16384.
    for (const auto& [from, to, tolerance] : {std::tuple{6000, 60, 1}, std::tuple{32767, 33, 3}}) {
        Image line(from, 2, 24);
        for (int x = 0; x < from; ++x)
            line.rgbRow(0)[x] = line.rgbRow(1)[x] = x % 2 ? packRgb(255, 255, 255) : packRgb(0, 0, 0);
        const Image out = resampleImage(line, to, 1, kHigh);
        for (int x = 0; x < to; ++x)
            ASSERT_NEAR(int(greenOf(out.pixelColour(x, 0))), 128, tolerance)
                << from << " to " << to << " at " << x;
    }
}

TEST(Resample, RefusesSidesOutsideOneTo32767)
{
    const Image source = test::noisePicture(4, 4, 1);
    for (const auto& [width, height] : {std::pair{0, 4}, {4, 0}, {-3, 4}, {32768, 4}, {4, 32768}})
        for (ResampleQuality quality : {kFast, kHigh})
            EXPECT_THROW(resampleImage(source, width, height, quality), ImageError)
                << width << " x " << height;
    EXPECT_THROW(resampleImage(Image(), 4, 4, kFast), ImageError);
    EXPECT_THROW(resampleImage(Image(), 4, 4, kHigh), ImageError);
    EXPECT_NO_THROW(resampleImage(source, 32767, 1, kHigh));
}
