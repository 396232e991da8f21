#include "tests/support/test_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <random>

namespace vask::test {

Image gradientPicture(int width, int height)
{
    Image image(width, height, 24);
    for (int y = 0; y < height; ++y) {
        Rgb* row = image.rgbRow(y);
        for (int x = 0; x < width; ++x)
            row[x] = packRgb((x * 255) / std::max(1, width - 1), (y * 255) / std::max(1, height - 1),
                             ((x + y) * 7) & 0xFF);
    }
    return image;
}

Image noisePicture(int width, int height, std::uint32_t seed)
{
    std::mt19937 random(seed);
    Image image(width, height, 24);
    for (int y = 0; y < height; ++y) {
        Rgb* row = image.rgbRow(y);
        for (int x = 0; x < width; ++x)
            row[x] = random() | 0xFF000000u;
    }
    return image;
}

Image palettePicture(int width, int height, int depth, std::uint32_t seed)
{
    std::mt19937 random(seed);
    Image image(width, height, depth);
    const int entries = Image::paletteSizeFor(depth);
    std::vector<Rgb> palette(entries);
    for (auto& entry : palette)
        entry = random() | 0xFF000000u;
    image.setPalette(palette);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.row(y)[x] = static_cast<std::uint8_t>(random() % entries);
    return image;
}

bool sameColours(const Image& a, const Image& b)
{
    if (a.width() != b.width() || a.height() != b.height())
        return false;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if ((a.pixelColour(x, y) & 0xFFFFFF) != (b.pixelColour(x, y) & 0xFFFFFF))
                return false;
    return true;
}

int maxChannelDifference(const Image& a, const Image& b)
{
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Rgb p = a.pixelColour(x, y);
            const Rgb q = b.pixelColour(x, y);
            worst = std::max({worst, std::abs(int(redOf(p)) - int(redOf(q))),
                              std::abs(int(greenOf(p)) - int(greenOf(q))),
                              std::abs(int(blueOf(p)) - int(blueOf(q)))});
        }
    return worst;
}

double psnr(const Image& a, const Image& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const Rgb p = a.pixelColour(x, y);
            const Rgb q = b.pixelColour(x, y);
            const double dr = double(redOf(p)) - redOf(q);
            const double dg = double(greenOf(p)) - greenOf(q);
            const double db = double(blueOf(p)) - blueOf(q);
            sum += dr * dr + dg * dg + db * db;
        }
    if (sum == 0)
        return std::numeric_limits<double>::infinity();
    const double mse = sum / (3.0 * a.width() * a.height());
    return 10.0 * std::log10(255.0 * 255.0 / mse);
}

std::string makeTemporaryFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vask-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return {};
    return pattern;
}

void removeFolder(const std::string& path)
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

} // namespace vask::test
