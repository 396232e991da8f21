#include "tests/engine/codecs/reference_files.h"

#include "engine/codecs/file_io.h"
#include "engine/image/image_error.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <random>
#include <sstream>

namespace vask::test {

// The build names the folder: paths inside the source tree are not reliable once ccache
// rewrites them relative to the build folder.
const std::string referenceDataFolder = VASK_TEST_DATA_DIR;

Bytes readReferenceFile(const std::string& relativePath)
{
    return readWholeFile(referenceDataFolder + "/" + relativePath);
}

std::vector<std::string> referenceFileNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(referenceDataFolder + "/" + folder)) {
        const std::string name = entry.path().filename().string();
        if (!name.ends_with(".ppm") && !name.ends_with(".pbm"))
            names.push_back(folder + "/" + name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

Image decodeNetpbm(ByteSpan bytes)
{
    // Headers as ImageMagick writes them: magic, width, height, maxval, one blank, no comments.
    std::istringstream header(
        std::string(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 40)));
    std::string magic;
    int width = 0, height = 0, maxValue = 1;
    header >> magic >> width >> height;
    if (magic == "P6")
        header >> maxValue;
    const bool bitmap = magic == "P4";
    if (!header || (!bitmap && magic != "P6") || width < 1 || height < 1 || maxValue != (bitmap ? 1 : 255))
        return {};
    const std::size_t at = std::size_t(header.tellg()) + 1;
    const std::size_t rowBytes = bitmap ? (width + 7) / 8 : 3 * std::size_t(width);
    if (bytes.size() < at + rowBytes * height)
        return {};
    Image image(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = bytes.data() + at + rowBytes * y;
            const bool black = bitmap && (p[x / 8] >> (7 - x % 8)) & 1;
            image.rgbRow(y)[x] =
                bitmap ? (black ? 0xFF000000u : 0xFFFFFFFFu) : packRgb(p[3 * x], p[3 * x + 1], p[3 * x + 2]);
        }
    return image;
}

void decodeDamagedVariants(const Bytes& bytes, const std::function<void(ByteSpan)>& decode)
{
    const auto attempt = [&](ByteSpan variant, const std::string& what) {
        try {
            decode(variant);
        } catch (const ImageError&) {
        } catch (const std::exception& e) {
            ADD_FAILURE() << what << " threw something other than ImageError: " << e.what();
        }
    };
    for (std::size_t length = 0; length < bytes.size(); ++length)
        attempt(ByteSpan(bytes.data(), length), "the file cut to " + std::to_string(length) + " bytes");
    // Header bytes set to the values that break arithmetic, then random changes of a few bytes,
    // two thirds of them in the first 128 bytes where damage matters most.
    std::mt19937 random(1234);
    Bytes copy = bytes;
    const std::size_t headerBytes = std::min<std::size_t>(bytes.size(), 128);
    for (std::size_t at = 0; at < headerBytes; ++at) {
        for (const std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            copy[at] = value;
            attempt(copy, "the file with byte " + std::to_string(at) + " set to " + std::to_string(value));
        }
        copy[at] = bytes[at];
    }
    for (int round = 0; round < 2000; ++round) {
        copy = bytes;
        for (int i = 0, changes = 1 + static_cast<int>(random() % 4); i < changes; ++i)
            copy[random() % (random() % 3 == 0 ? copy.size() : headerBytes)] =
                static_cast<std::uint8_t>(random());
        attempt(copy, "a changed copy (round " + std::to_string(round) + ")");
    }
}

std::string errorOf(const std::function<void()>& run)
{
    try {
        run();
    } catch (const ImageError& e) {
        return e.what();
    }
    return {};
}

void expectSentence(const std::string& message, const std::string& prefix, const std::string& what)
{
    ASSERT_FALSE(message.empty()) << what << " was accepted";
    EXPECT_EQ(message.rfind(prefix, 0), 0u) << what << ": " << message;
    EXPECT_EQ(message.back(), '.') << what << ": " << message;
}

Rgb overWhiteReference(Rgb colour, unsigned alpha)
{
    const double a = alpha / 255.0;
    const auto channel = [a](unsigned c) { return unsigned(std::lround(c * a + 255.0 * (1 - a))); };
    return packRgb(channel(redOf(colour)), channel(greenOf(colour)), channel(blueOf(colour)));
}

LibtiffView readWithLibtiff(const Bytes& file)
{
    const std::string folder = makeTemporaryFolder(), path = folder + "/written.tif";
    writeFileAtomically(path, file);
    LibtiffView view; // all zero and no picture when libtiff cannot read the file
    if (TIFF* tif = TIFFOpen(path.c_str(), "r")) {
        TIFFGetField(tif, TIFFTAG_COMPRESSION, &view.compression);
        TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &view.photometric);
        TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &view.bits);
        TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &view.samples);
        std::uint32_t width = 0, height = 0;
        TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
        std::vector<std::uint32_t> raster(std::size_t(width) * height);
        if (TIFFReadRGBAImageOriented(tif, width, height, raster.data(), ORIENTATION_TOPLEFT, 0) == 1) {
            view.picture = Image(int(width), int(height), 24);
            for (std::size_t i = 0; i < raster.size(); ++i)
                view.picture.rgbRow(int(i / width))[i % width] =
                    packRgb(TIFFGetR(raster[i]), TIFFGetG(raster[i]), TIFFGetB(raster[i]));
        }
        TIFFClose(tif);
    }
    removeFolder(folder);
    return view;
}

std::vector<int> indicesOf(const Image& image)
{
    std::vector<int> indices;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            indices.push_back(image.pixelIndex(x, y));
    return indices;
}

std::vector<Rgb> coloursOf(const Image& image)
{
    std::vector<Rgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.push_back(image.pixelColour(x, y) & 0xFFFFFF);
    return colours;
}

} // namespace vask::test
