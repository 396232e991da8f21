#include "engine/ops/filter/level_filters.h"

#include "engine/image/create_image.h"
#include "engine/ops/filter/matrix_filter.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace vask {
namespace {

struct NamedFilter {
    std::string name;
    std::function<void(Image&, int)> apply;
};

const std::vector<NamedFilter> kFilters = {{"sharpen", sharpenImage},
                                           {"soften", softenImage},
                                           {"edge", edgeExtract},
                                           {"blur", [](Image& image, int) { blurImage(image); }}};

// A dark left half and a light right half.
Image stepPicture(int width, int height, unsigned dark, unsigned light)
{
    Image image = createImage(24, width, height, packRgb(dark, dark, dark));
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x)
            image.rgbRow(y)[x] = packRgb(light, light, light);
    return image;
}

// The sum of green differences between horizontal neighbours.
long long roughness(const Image& image)
{
    long long sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 1; x < image.width(); ++x)
            sum +=
                std::abs(int(greenOf(image.pixelColour(x, y))) - int(greenOf(image.pixelColour(x - 1, y))));
    return sum;
}

double greenVariance(const Image& image)
{
    double sum = 0, squares = 0, n = double(image.width()) * image.height();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const double g = greenOf(image.pixelColour(x, y));
            sum += g, squares += g * g;
        }
    return squares / n - (sum / n) * (sum / n);
}

TEST(LevelFilters, EachFilterKeepsFlatPicturesFlatClampsItsLevelAndKeepsAPalette)
{
    const Image flat = createImage(24, 13, 9, packRgb(37, 150, 222)), noise = test::noisePicture(15, 11, 4);
    for (const NamedFilter& f : kFilters) {
        for (int level = 1; level <= 10; ++level) { // the edges of a flat picture are black
            Image filtered = flat;
            f.apply(filtered, level);
            EXPECT_TRUE(test::sameColours(filtered,
                                          f.name == "edge" ? createImage(24, 13, 9, packRgb(0, 0, 0)) : flat))
                << f.name << " level " << level;
        }
        for (int outside : {-3, 0, 11, 99}) {
            Image clamped = noise, end = noise;
            f.apply(clamped, outside);
            f.apply(end, outside < 1 ? 1 : 10);
            EXPECT_TRUE(test::sameColours(clamped, end)) << f.name << " level " << outside;
        }
        for (int depth : {1, 4, 8}) {
            const Image original = test::palettePicture(12, 10, depth, 21u);
            Image picture = original;
            f.apply(picture, 4);
            EXPECT_EQ(picture.depth(), depth) << f.name;
            EXPECT_EQ(picture.palette(), original.palette()) << f.name;
        }
    }
}

TEST(LevelFilters, EachStrongerLevelSharpensSoftensAndLightsEdgesMore)
{
    // The small step overshoots on both sides without reaching 0 or 255.
    const Image smallStep = stepPicture(20, 6, 110, 140), step = stepPicture(20, 6, 60, 190);
    const Image noise = test::noisePicture(40, 30, 8);
    long long sharper = roughness(smallStep);
    double softer = greenVariance(noise);
    unsigned brighter = 0;
    for (int level = 1; level <= 10; ++level) {
        Image sharpened = smallStep, softened = noise, edges = step;
        sharpenImage(sharpened, level);
        softenImage(softened, level);
        edgeExtract(edges, level);
        EXPECT_LT(greenOf(sharpened.pixelColour(9, 3)), 110u) << "level " << level;
        EXPECT_GT(greenOf(sharpened.pixelColour(10, 3)), 140u) << "level " << level;
        EXPECT_GT(roughness(sharpened), sharper) << "level " << level;
        EXPECT_LT(greenVariance(softened), softer) << "level " << level;
        // Edges: flat areas are black, the dark side goes negative, the bright side lights up.
        for (int x : {3, 9, 16})
            EXPECT_EQ(greenOf(edges.pixelColour(x, 3)), 0u) << x;
        const unsigned bright = greenOf(edges.pixelColour(10, 3));
        EXPECT_TRUE(bright > 0 && bright >= brighter) << "level " << level;
        sharper = roughness(sharpened), softer = greenVariance(softened), brighter = bright;
    }
    EXPECT_EQ(brighter, 255u);
}

TEST(LevelFilters, BlurSpreadsASingleWhitePixelAsTheBinomialKernel)
{
    Image dot = createImage(24, 9, 9, packRgb(0, 0, 0));
    dot.rgbRow(4)[4] = packRgb(255, 255, 255);
    blurImage(dot);
    const int weights[9] = {0, 0, 1, 4, 6, 4, 1, 0, 0}; // 1 4 6 4 1 each way, over 256
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(int(redOf(dot.pixelColour(x, y))),
                      int(std::floor(255.0 * weights[y] * weights[x] / 256 + 0.5)))
                << x << "," << y;
}

// The two-pass blur against the full 5x5 kernel, word for word; the taller pictures are cut into
// bands whatever VASK_THREADS says, so their borders are crossed too.
TEST(LevelFilters, BlurGivesTheSameBytesAsTheFullBinomialKernel)
{
    Kernel binomial;
    binomial.size = 5;
    const int weights[5] = {1, 4, 6, 4, 1};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            binomial.values[r * 5 + c] = weights[r] * weights[c];
    const int sizes[][2] = {{1, 1}, {2, 3}, {5, 5}, {17, 9}, {64, 33}, {333, 211}};
    for (const auto& size : sizes) {
        const Image original = test::noisePicture(size[0], size[1], 7u * size[0] + size[1]);
        Image blurred = original, reference = original;
        blurImage(blurred);
        matrixFilter(reference, binomial, 1, 256, 0);
        ASSERT_EQ(blurred.depth(), 24);
        for (int y = 0; y < size[1]; ++y)
            ASSERT_EQ(std::memcmp(blurred.row(y), reference.row(y), size[0] * sizeof(Rgb)), 0)
                << size[0] << " x " << size[1] << ", row " << y;
    }
}

} // namespace
} // namespace vask
