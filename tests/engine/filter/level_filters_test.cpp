#include "engine/ops/filter/level_filters.h"

#include "engine/image/create_image.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

namespace vask {
namespace {

using LevelFilter = std::function<void(Image&, int)>;

struct NamedFilter {
    std::string name;
    LevelFilter apply;
    // A step edge the filter changes at every level without reaching 0 or 255.
    unsigned stepDark = 60;
    unsigned stepLight = 190;
};

void PrintTo(const NamedFilter& f, std::ostream* os)
{
    *os << f.name;
}

const NamedFilter kSharpen{"Sharpen", sharpenImage, 110, 140};
const NamedFilter kSoften{"Soften", softenImage};
const NamedFilter kBlur{"Blur", [](Image& image, int) { blurImage(image); }};

// A dark left half and a light right half.
Image stepPicture(int width, int height, unsigned dark = 60, unsigned light = 190)
{
    Image image = createImage(24, width, height, packRgb(dark, dark, dark));
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x)
            image.rgbRow(y)[x] = packRgb(light, light, light);
    return image;
}

long long totalChange(const Image& a, const Image& b)
{
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(int(greenOf(a.pixelColour(x, y))) - int(greenOf(b.pixelColour(x, y))));
    return sum;
}

double greenVariance(const Image& image)
{
    double sum = 0, squares = 0;
    const double n = double(image.width()) * image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double g = greenOf(image.pixelColour(x, y));
            sum += g;
            squares += g * g;
        }
    return squares / n - (sum / n) * (sum / n);
}

class FlatPicture : public ::testing::TestWithParam<NamedFilter> {};

TEST_P(FlatPicture, StaysFlatAtEveryLevel)
{
    for (int level = 1; level <= 10; ++level) {
        const Image flat = createImage(24, 13, 9, packRgb(37, 150, 222));
        Image filtered = flat;
        GetParam().apply(filtered, level);
        EXPECT_TRUE(test::sameColours(filtered, flat)) << "level " << level;
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, FlatPicture, ::testing::Values(kSharpen, kSoften, kBlur),
                         [](const auto& info) { return info.param.name; });

class StepEdge : public ::testing::TestWithParam<NamedFilter> {};

TEST_P(StepEdge, ChangesMoreAtEachStrongerLevel)
{
    const Image step = stepPicture(20, 6, GetParam().stepDark, GetParam().stepLight);
    long long previous = 0;
    for (int level = 1; level <= 10; ++level) {
        Image filtered = step;
        GetParam().apply(filtered, level);
        const long long change = totalChange(filtered, step);
        EXPECT_GT(change, previous) << "level " << level;
        previous = change;
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, StepEdge, ::testing::Values(kSharpen, kSoften),
                         [](const auto& info) { return info.param.name; });

TEST(LevelFilters, LevelsOutsideOneToTenActAsTheNearestEnd)
{
    const Image noise = test::noisePicture(15, 11, 4);
    for (const NamedFilter& f : {kSharpen, kSoften}) {
        Image low = noise, one = noise, high = noise, ten = noise;
        f.apply(low, -3);
        f.apply(one, 1);
        f.apply(high, 99);
        f.apply(ten, 10);
        EXPECT_TRUE(test::sameColours(low, one)) << f.name;
        EXPECT_TRUE(test::sameColours(high, ten)) << f.name;
    }
    Image low = noise, one = noise;
    edgeExtract(low, 0);
    edgeExtract(one, 1);
    EXPECT_TRUE(test::sameColours(low, one));
}

TEST(LevelFilters, SoftenLowersVarianceMoreAtEachLevel)
{
    const Image noise = test::noisePicture(40, 30, 8);
    double previous = greenVariance(noise);
    for (int level = 1; level <= 10; ++level) {
        Image filtered = noise;
        softenImage(filtered, level);
        const double variance = greenVariance(filtered);
        EXPECT_LT(variance, previous) << "level " << level;
        previous = variance;
    }
}

TEST(LevelFilters, SharpenRaisesVarianceOfASmoothPicture)
{
    const Image picture = test::gradientPicture(30, 30);
    Image sharpened = picture;
    sharpenImage(sharpened, 6);
    EXPECT_GT(greenVariance(sharpened), greenVariance(picture) * 0.99);
    const Image step = stepPicture(20, 4);
    Image steeper = step;
    sharpenImage(steeper, 5);
    // Overshoot on both sides of the edge: darker than dark, lighter than light.
    EXPECT_LT(greenOf(steeper.pixelColour(9, 1)), 60u);
    EXPECT_GT(greenOf(steeper.pixelColour(10, 1)), 190u);
}

TEST(LevelFilters, EdgeOfAFlatPictureIsBlackAtEveryLevel)
{
    for (int level = 1; level <= 10; ++level) {
        Image flat = createImage(24, 9, 8, packRgb(200, 100, 50));
        edgeExtract(flat, level);
        EXPECT_TRUE(test::sameColours(flat, createImage(24, 9, 8, packRgb(0, 0, 0)))) << "level " << level;
    }
}

TEST(LevelFilters, EdgeLightsTheBrightSideOfAStepMoreAtStrongerLevels)
{
    const Image step = stepPicture(20, 6);
    unsigned previous = 0;
    for (int level = 1; level <= 10; ++level) {
        Image edges = step;
        edgeExtract(edges, level);
        EXPECT_EQ(greenOf(edges.pixelColour(3, 3)), 0u);
        EXPECT_EQ(greenOf(edges.pixelColour(16, 3)), 0u);
        EXPECT_EQ(greenOf(edges.pixelColour(9, 3)), 0u); // the dark side goes negative
        const unsigned bright = greenOf(edges.pixelColour(10, 3));
        EXPECT_GT(bright, 0u);
        EXPECT_GE(bright, previous);
        previous = bright;
    }
    EXPECT_EQ(previous, 255u);
}

TEST(LevelFilters, BlurSpreadsASingleWhitePixelAsTheBinomialKernel)
{
    Image dot = createImage(24, 9, 9, packRgb(0, 0, 0));
    dot.rgbRow(4)[4] = packRgb(255, 255, 255);
    blurImage(dot);
    const int weights[5] = {1, 4, 6, 4, 1};
    int total = 0;
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            const int value = int(redOf(dot.pixelColour(x, y)));
            total += value;
            const bool inside = std::abs(x - 4) <= 2 && std::abs(y - 4) <= 2;
            const int expected =
                inside ? int(std::floor(255.0 * weights[y - 2] * weights[x - 2] / 256.0 + 0.5)) : 0;
            EXPECT_EQ(value, expected) << x << "," << y;
        }
    EXPECT_NEAR(total, 255, 6);
}

TEST(LevelFilters, PalettePicturesKeepTheirDepth)
{
    for (int depth : {1, 4, 8}) {
        Image picture = test::palettePicture(12, 10, depth, 21u);
        const auto palette = picture.palette();
        sharpenImage(picture, 4);
        softenImage(picture, 7);
        edgeExtract(picture, 2);
        blurImage(picture);
        EXPECT_EQ(picture.depth(), depth);
        EXPECT_EQ(picture.palette(), palette);
    }
}

} // namespace
} // namespace vask
