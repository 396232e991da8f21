#include "engine/codecs/file_io.h"
#include "engine/codecs/tiff_codec.h"
#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <fcntl.h>
#include <functional>
#include <numeric>
#include <unistd.h>

namespace vask {
namespace {

using Row = std::vector<std::uint8_t>;

// A file written by libtiff itself, for layouts our writer never makes: one uncompressed strip
// unless tags says otherwise (tags may also store tiles); row(y, plane) gives each scanline.
Bytes writtenByLibtiff(int width, int height, int bits, int samples, int photometric,
                       const std::function<void(TIFF*)>& tags,
                       const std::function<Row(int y, int plane)>& row = {})
{
    const std::string folder = test::makeTemporaryFolder(), path = folder + "/made.tif";
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (!tif) {
        ADD_FAILURE() << "libtiff cannot write " << path;
        return {};
    }
    // clang-format off
    for (const auto& [tag, value] : {std::pair{TIFFTAG_IMAGEWIDTH, width}, {TIFFTAG_IMAGELENGTH, height},
             {TIFFTAG_BITSPERSAMPLE, bits}, {TIFFTAG_SAMPLESPERPIXEL, samples}, {TIFFTAG_PHOTOMETRIC, photometric},
             {TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG}, {TIFFTAG_COMPRESSION, COMPRESSION_NONE},
             {TIFFTAG_ROWSPERSTRIP, height}})
        TIFFSetField(tif, tag, value);
    // clang-format on
    tags(tif);
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    TIFFGetField(tif, TIFFTAG_PLANARCONFIG, &planar);
    for (int plane = 0; row && plane < (planar == PLANARCONFIG_SEPARATE ? samples : 1); ++plane)
        for (int y = 0; y < height; ++y) {
            Row bytes = row(y, plane);
            TIFFWriteScanline(tif, bytes.data(), y, std::uint16_t(plane));
        }
    TIFFClose(tif);
    Bytes bytes = readWholeFile(path);
    test::removeFolder(folder);
    return bytes;
}

// One row of a 24-bit picture as 8-bit RGB samples.
Row rgbRow(const Image& picture, int y)
{
    Row row;
    for (const Rgb* p = picture.rgbRow(y); p < picture.rgbRow(y) + picture.width(); ++p)
        row.insert(row.end(), {std::uint8_t(redOf(*p)), std::uint8_t(greenOf(*p)), std::uint8_t(blueOf(*p))});
    return row;
}

TEST(TiffWriting, BlackAndWhitePicturesAreWrittenAsBilevel)
{
    const Rgb black = packRgb(0, 0, 0), white = packRgb(255, 255, 255);
    const std::pair<std::vector<Rgb>, int> cases[] = {{{black, white}, PHOTOMETRIC_MINISBLACK},
                                                      {{white, black}, PHOTOMETRIC_MINISWHITE},
                                                      {{packRgb(200, 0, 0), white}, PHOTOMETRIC_PALETTE}};
    for (const auto& [palette, photometric] : cases) {
        Image picture = test::palettePicture(19, 3, 1, 8);
        picture.setPalette(palette);
        const Bytes file = encodeTiff(picture, 0);
        EXPECT_EQ(test::readWithLibtiff(file).photometric, photometric);
        EXPECT_TRUE(test::sameColours(decodeTiff(file), picture));
        EXPECT_EQ(test::indicesOf(decodeTiff(file)), test::indicesOf(picture));
    }
}

TEST(TiffWriting, WritingIntoAFileGivesTheSameBytesAsInMemory)
{
    const std::string folder = test::makeTemporaryFolder(), path = folder + "/direct.tif";
    for (int depth : {1, 4, 24})
        for (int compression : {0, 1, 2}) {
            const Image picture =
                depth == 24 ? test::noisePicture(1001, 300, 7) : test::palettePicture(1001, 300, depth, 7);
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ASSERT_GE(fd, 0);
            encodeTiffToFile(picture, compression, fd);
            ::close(fd);
            EXPECT_EQ(readWholeFile(path), encodeTiff(picture, compression)) << depth << " " << compression;
        }
    test::removeFolder(folder);
}

TEST(TiffWriting, WriteFailuresIntoAFileAreImageErrorsWithTheReason)
{
    const Image picture = test::noisePicture(300, 200, 1);
    if (const int full = ::open("/dev/full", O_WRONLY); full >= 0) {
        const std::string message = test::errorOf([&] { encodeTiffToFile(picture, 0, full); });
        EXPECT_NE(message.find("space"), std::string::npos) << message;
        ::close(full);
    }
    const int readOnly = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(readOnly, 0);
    EXPECT_THROW(encodeTiffToFile(picture, 1, readOnly), ImageError);
    ::close(readOnly);
    EXPECT_THROW(encodeTiffToFile(picture, 4, readOnly), ImageError);
}

TEST(TiffReading, YCbCrJpegFilesComeBackAsColour)
{
    // Smooth colours: halved chroma resolution costs little on them.
    Image picture(37, 32, 24);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 37; ++x)
            picture.rgbRow(y)[x] = packRgb(x * 6, y * 8, (x + y) * 3);
    const auto tags = [](TIFF* tif) {
        TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
        TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 95);
        TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
    };
    const Image back = decodeTiff(writtenByLibtiff(37, 32, 8, 3, PHOTOMETRIC_YCBCR, tags,
                                                   [&](int y, int) { return rgbRow(picture, y); }));
    EXPECT_EQ(back.depth(), 24);
    EXPECT_GT(test::psnr(back, picture), 40.0);
}

TEST(TiffReading, SeparatePlanesOfSixteenBitsAreJoined)
{
    const Image picture = test::noisePicture(9, 4, 21);
    const auto tags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_SEPARATE); };
    const Bytes file = writtenByLibtiff(9, 4, 16, 3, PHOTOMETRIC_RGB, tags, [&](int y, int plane) {
        Row row;
        for (int x = 0; x < 9; ++x) // v * 257: both bytes v, whatever the byte order
            row.insert(row.end(), 2, std::uint8_t(picture.rgbRow(y)[x] >> (16 - 8 * plane)));
        return row;
    });
    EXPECT_TRUE(test::sameColours(decodeTiff(file), picture));
}

TEST(TiffReading, GreyWithAlphaIsComposedOverWhite)
{
    const auto tags = [](TIFF* tif) {
        const std::uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
    };
    const Image back =
        decodeTiff(writtenByLibtiff(16, 16, 8, 2, PHOTOMETRIC_MINISBLACK, tags, [](int y, int) {
            Row row;
            for (int x = 0; x < 16; ++x)
                row.insert(row.end(), {std::uint8_t(x * 16), std::uint8_t(y * 17)}); // grey, alpha
            return row;
        }));
    ASSERT_EQ(back.depth(), 8);
    Image expected(16, 16, 24);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            expected.rgbRow(y)[x] = test::overWhiteReference(packRgb(x * 16, x * 16, x * 16), y * 17);
    EXPECT_LE(test::maxChannelDifference(back, expected), 1);
}

TEST(TiffReading, MinIsWhiteGreyIsInverted)
{
    const Image back = decodeTiff(writtenByLibtiff(
        256, 1, 8, 1, PHOTOMETRIC_MINISWHITE, [](TIFF*) {},
        [](int, int) {
            Row row(256);
            std::iota(row.begin(), row.end(), 0);
            return row;
        }));
    ASSERT_EQ(back.depth(), 8);
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(back.pixelColour(x, 0) & 0xFFFFFF, packRgb(255 - x, 255 - x, 255 - x) & 0xFFFFFF) << x;
}

TEST(TiffReading, BilevelBitsStoredLowestFirstAreRead)
{
    const Image picture = test::palettePicture(21, 3, 1, 4);
    const auto tags = [](TIFF* tif) { TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_LSB2MSB); };
    const Bytes file = writtenByLibtiff(21, 3, 1, 1, PHOTOMETRIC_MINISBLACK, tags, [&](int y, int) {
        Row row(3);
        for (int x = 0; x < 21; ++x)
            row[x / 8] |= static_cast<std::uint8_t>(picture.row(y)[x] << (7 - x % 8));
        return row;
    });
    EXPECT_EQ(test::indicesOf(decodeTiff(file)), test::indicesOf(picture));
}

TEST(TiffReading, TiledFourBitPaletteKeepsItsIndices)
{
    const Image picture = test::palettePicture(37, 21, 4, 9);
    const Bytes file = writtenByLibtiff(37, 21, 4, 1, PHOTOMETRIC_PALETTE, [&](TIFF* tif) {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, 16);
        std::uint16_t map[3][16];
        for (int i = 0; i < 16; ++i)
            for (int c = 0; c < 3; ++c)
                map[c][i] = std::uint16_t(((picture.paletteEntry(i) >> (16 - 8 * c)) & 0xFF) * 257);
        TIFFSetField(tif, TIFFTAG_COLORMAP, map[0], map[1], map[2]);
        for (int ty = 0; ty < 21; ty += 16)
            for (int tx = 0; tx < 37; tx += 16) {
                std::uint8_t tile[16 * 8] = {};
                for (int y = ty; y < std::min(ty + 16, 21); ++y)
                    for (int x = tx; x < std::min(tx + 16, 37); ++x)
                        tile[(y - ty) * 8 + (x - tx) / 2] |=
                            std::uint8_t(picture.row(y)[x] << ((x - tx) % 2 ? 0 : 4));
                TIFFWriteTile(tif, tile, tx, ty, 0, 0);
            }
    });
    const Image back = decodeTiff(file);
    EXPECT_EQ(back.depth(), 4);
    EXPECT_EQ(test::indicesOf(back), test::indicesOf(picture));
    EXPECT_TRUE(test::sameColours(back, picture));
}

TEST(TiffReading, RowsComeInStoredOrderWhateverTheOrientationTag)
{
    const Image picture = test::noisePicture(5, 4, 2);
    for (int orientation : {ORIENTATION_TOPLEFT, ORIENTATION_BOTLEFT}) {
        const auto tags = [&](TIFF* tif) {
            TIFFSetField(tif, TIFFTAG_ORIENTATION, orientation);
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1000); // more than the picture has
        };
        const Bytes file = writtenByLibtiff(5, 4, 8, 3, PHOTOMETRIC_RGB, tags,
                                            [&](int y, int) { return rgbRow(picture, y); });
        EXPECT_TRUE(test::sameColours(decodeTiff(file), picture)) << orientation;
    }
}

TEST(TiffReading, SamplesThatAreNotPicturesAreRefusedWithASentence)
{
    for (const auto& [bits, format] :
         {std::pair{32, SAMPLEFORMAT_IEEEFP}, {32, SAMPLEFORMAT_UINT}, {16, SAMPLEFORMAT_INT}}) {
        const auto tags = [&](TIFF* tif) { TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, format); };
        const Bytes file = writtenByLibtiff(4, 2, bits, 3, PHOTOMETRIC_RGB, tags,
                                            [&](int, int) { return Row(12 * bits / 8, 0x40); });
        Image image;
        const std::string message = test::errorOf([&] { image = decodeTiff(file); });
        // libtiff's RGBA reader takes some of these; then the picture must be whole.
        EXPECT_TRUE(message.empty() ? image.width() == 4
                                    : message.find("TIFF") != std::string::npos && message.ends_with('.'))
            << bits << " " << format << ": " << message;
    }
}

} // namespace
} // namespace vask
