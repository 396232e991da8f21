#include "engine/codecs/file_io.h"
#include "engine/codecs/tiff_codec.h"
#include "engine/image/image_error.h"
#include "tests/engine/codecs/library_codec_checks.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

namespace vask {
namespace {

// A file written by libtiff itself, for layouts our writer never makes.
Bytes writtenByLibtiff(const std::function<void(TIFF*)>& write)
{
    const std::string folder = test::makeTemporaryFolder();
    const std::string path = folder + "/made.tif";
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (!tif) {
        ADD_FAILURE() << "libtiff cannot write " << path;
        return {};
    }
    write(tif);
    TIFFClose(tif);
    Bytes bytes = readWholeFile(path);
    test::removeFolder(folder);
    return bytes;
}

void setBasicTags(TIFF* tif, int width, int height, int bits, int samples, int photometric)
{
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, photometric);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_NONE);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, height);
}

struct WrittenTags {
    std::uint16_t compression = 0;
    std::uint16_t photometric = 0;
    std::uint16_t bits = 0;
    std::uint16_t samples = 0;
};

// What our writer put into the first directory, read back by libtiff.
WrittenTags tagsOf(const Bytes& file)
{
    const std::string folder = test::makeTemporaryFolder();
    const std::string path = folder + "/written.tif";
    writeFileAtomically(path, file);
    WrittenTags tags;
    if (TIFF* tif = TIFFOpen(path.c_str(), "r")) {
        TIFFGetField(tif, TIFFTAG_COMPRESSION, &tags.compression);
        TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &tags.photometric);
        TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &tags.bits);
        TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &tags.samples);
        TIFFClose(tif);
    } else {
        ADD_FAILURE() << "libtiff cannot read what we wrote";
    }
    test::removeFolder(folder);
    return tags;
}

struct RoundTrip {
    int depth;
    int compression;
};

class TiffRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(TiffRoundTrip, GivesBackTheSamePixelsAtTheSameDepth)
{
    const auto [depth, compression] = GetParam();
    const std::uint16_t expectedCompression[] = {COMPRESSION_NONE, COMPRESSION_ADOBE_DEFLATE,
                                                 COMPRESSION_PACKBITS};
    for (const Image& picture : test::roundTripPictures(depth, 11)) {
        SCOPED_TRACE(std::to_string(picture.width()) + " x " + std::to_string(picture.height()));
        const Bytes file = encodeTiff(picture, compression);
        const Image back = decodeTiff(file);
        EXPECT_EQ(back.depth(), depth);
        EXPECT_TRUE(test::sameColours(back, picture));
        if (depth < 24) {
            EXPECT_EQ(test::indicesOf(back), test::indicesOf(picture));
        }
        const WrittenTags tags = tagsOf(file);
        EXPECT_EQ(tags.compression, expectedCompression[compression]);
        EXPECT_EQ(tags.bits, depth == 24 ? 8 : depth);
        EXPECT_EQ(tags.samples, depth == 24 ? 3 : 1);
    }
}

std::string roundTripName(const ::testing::TestParamInfo<RoundTrip>& info)
{
    static const char* const names[] = {"None", "Deflate", "PackBits"};
    return "Depth" + std::to_string(info.param.depth) + names[info.param.compression];
}

INSTANTIATE_TEST_SUITE_P(AllDepthsAndCompressions, TiffRoundTrip,
                         ::testing::Values(RoundTrip{1, 0}, RoundTrip{1, 1}, RoundTrip{1, 2}, RoundTrip{4, 0},
                                           RoundTrip{4, 1}, RoundTrip{4, 2}, RoundTrip{8, 0}, RoundTrip{8, 1},
                                           RoundTrip{8, 2}, RoundTrip{24, 0}, RoundTrip{24, 1},
                                           RoundTrip{24, 2}),
                         roundTripName);

TEST(TiffRoundTrip, PicturesOfManyStripsComeBackWhole)
{
    // 1001 x 700 at 24 bits is about 2 MB of rows: several strips and several chunks.
    const Image picture = test::noisePicture(1001, 700, 5);
    for (int compression : {0, 1, 2})
        EXPECT_TRUE(test::sameColours(decodeTiff(encodeTiff(picture, compression)), picture)) << compression;
    const Image palette = test::palettePicture(3001, 700, 8, 6);
    EXPECT_TRUE(test::sameColours(decodeTiff(encodeTiff(palette, 0)), palette));
}

TEST(TiffRoundTrip, LongestSidesSurvive)
{
    for (const auto& [width, height] : {std::pair{Image::kMaxSide, 2}, {2, Image::kMaxSide}}) {
        const Image picture = test::palettePicture(width, height, 1, 3);
        EXPECT_TRUE(test::sameColours(decodeTiff(encodeTiff(picture, 0)), picture));
    }
}

TEST(TiffWriting, BlackAndWhitePicturesAreWrittenAsBilevel)
{
    const Rgb black = packRgb(0, 0, 0), white = packRgb(255, 255, 255);
    struct Case {
        std::vector<Rgb> palette;
        std::uint16_t photometric;
    };
    const Case cases[] = {{{black, white}, PHOTOMETRIC_MINISBLACK},
                          {{white, black}, PHOTOMETRIC_MINISWHITE},
                          {{packRgb(200, 0, 0), white}, PHOTOMETRIC_PALETTE}};
    for (const Case& c : cases) {
        Image picture = test::palettePicture(19, 3, 1, 8);
        picture.setPalette(c.palette);
        const Bytes file = encodeTiff(picture, 0);
        EXPECT_EQ(tagsOf(file).photometric, c.photometric);
        const Image back = decodeTiff(file);
        EXPECT_TRUE(test::sameColours(back, picture));
        EXPECT_EQ(test::indicesOf(back), test::indicesOf(picture));
    }
}

// libtiff's own RGBA reader, independent of our decoder, sees what we wrote.
TEST(TiffWriting, LibtiffReadsEveryDepthAndCompression)
{
    for (int depth : {1, 4, 8, 24})
        for (int compression : {0, 1, 2}) {
            SCOPED_TRACE("depth " + std::to_string(depth) + " compression " + std::to_string(compression));
            const Image picture =
                depth == 24 ? test::noisePicture(301, 90, 3) : test::palettePicture(301, 90, depth, 3);
            const std::string folder = test::makeTemporaryFolder();
            writeFileAtomically(folder + "/ours.tif", encodeTiff(picture, compression));
            TIFF* tif = TIFFOpen((folder + "/ours.tif").c_str(), "r");
            ASSERT_NE(tif, nullptr);
            std::vector<std::uint32_t> raster(301 * 90);
            ASSERT_EQ(TIFFReadRGBAImageOriented(tif, 301, 90, raster.data(), ORIENTATION_TOPLEFT, 0), 1);
            TIFFClose(tif);
            test::removeFolder(folder);
            int wrong = 0;
            for (int y = 0; y < 90; ++y)
                for (int x = 0; x < 301; ++x) {
                    const std::uint32_t p = raster[y * 301 + x];
                    wrong += packRgb(TIFFGetR(p), TIFFGetG(p), TIFFGetB(p)) !=
                             (picture.pixelColour(x, y) | 0xFF000000u);
                }
            EXPECT_EQ(wrong, 0);
        }
}

TEST(TiffWriting, WritingIntoAFileGivesTheSameBytesAsInMemory)
{
    const std::string folder = test::makeTemporaryFolder();
    for (int depth : {1, 4, 24})
        for (int compression : {0, 1, 2}) {
            const Image picture =
                depth == 24 ? test::noisePicture(1001, 300, 7) : test::palettePicture(1001, 300, depth, 7);
            const std::string path = folder + "/direct.tif";
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
    const int full = ::open("/dev/full", O_WRONLY);
    if (full >= 0) {
        try {
            encodeTiffToFile(picture, 0, full);
            ADD_FAILURE() << "no error";
        } catch (const ImageError& e) {
            EXPECT_NE(std::string(e.what()).find("space"), std::string::npos) << e.what();
        }
        ::close(full);
    }
    const int readOnly = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(readOnly, 0);
    EXPECT_THROW(encodeTiffToFile(picture, 1, readOnly), ImageError);
    ::close(readOnly);
    EXPECT_THROW(encodeTiffToFile(picture, 4, readOnly), ImageError);
}

TEST(TiffWriting, CompressionShrinksPicturesThatCompress)
{
    const Image gradient = test::gradientPicture(300, 200);
    EXPECT_LT(encodeTiff(gradient, 1).size() * 2, encodeTiff(gradient, 0).size());
    Image flat(300, 200, 8);
    flat.fill(3);
    EXPECT_LT(encodeTiff(flat, 2).size() * 10, encodeTiff(flat, 0).size());
}

TEST(TiffWriting, CompressionsOtherThanNoneDeflateAndPackBitsAreRefused)
{
    const Image picture = test::gradientPicture(4, 4);
    for (int compression : {-1, 3, 5})
        EXPECT_THROW(encodeTiff(picture, compression), ImageError) << compression;
    EXPECT_THROW(encodeTiff(Image(), 0), ImageError);
}

// Tolerances: 16-bit samples and alpha are rounded, JPEG decoding may differ a little, and
// ImageMagick truncates colour-map entries (v / 257) where we take the high byte as libtiff does.
class TiffReference : public ::testing::TestWithParam<test::ReferenceCase> {};

TEST_P(TiffReference, DecodesLikeImageMagick)
{
    test::expectMatchesReference("tiff", GetParam(), decodeTiff);
}

INSTANTIATE_TEST_SUITE_P(
    ImageMagickFiles, TiffReference,
    ::testing::Values(
        test::ReferenceCase{"rgb8.tif", 24, 0}, test::ReferenceCase{"rgb8_msb.tif", 24, 0},
        test::ReferenceCase{"rgb8_lzw.tif", 24, 0}, test::ReferenceCase{"rgb8_deflate_predictor.tif", 24, 0},
        test::ReferenceCase{"rgb8_packbits.tif", 24, 0}, test::ReferenceCase{"rgb8_jpeg.tif", 24, 2},
        test::ReferenceCase{"rgb8_tiled.tif", 24, 0}, test::ReferenceCase{"rgb8_tiled_lzw.tif", 24, 0},
        test::ReferenceCase{"rgb8_planar.tif", 24, 0}, test::ReferenceCase{"rgb16.tif", 24, 1},
        test::ReferenceCase{"rgb16_msb.tif", 24, 1}, test::ReferenceCase{"rgb16_msb_lzw.tif", 24, 1},
        test::ReferenceCase{"rgb16_lzw.tif", 24, 1}, test::ReferenceCase{"rgba8.tif", 24, 1},
        test::ReferenceCase{"rgba8_associated.tif", 24, 1}, test::ReferenceCase{"grey8.tif", 8, 0},
        test::ReferenceCase{"grey16.tif", 8, 1}, test::ReferenceCase{"grey4.tif", 4, 0},
        test::ReferenceCase{"grey2.tif", 4, 0}, test::ReferenceCase{"bilevel_miniswhite.tif", 1, 0},
        test::ReferenceCase{"bilevel_minisblack.tif", 1, 0}, test::ReferenceCase{"bilevel_group4.tif", 1, 0},
        test::ReferenceCase{"pal8.tif", 8, 0}, test::ReferenceCase{"pal8_lzw.tif", 8, 1},
        test::ReferenceCase{"pal4.tif", 4, 0}, test::ReferenceCase{"cmyk.tif", 24, 1},
        test::ReferenceCase{"two_pages.tif", 24, 0}),
    [](const auto& info) {
        std::string name = info.param.name;
        return name.substr(0, name.find('.'));
    });

TEST(TiffReading, YCbCrJpegFilesComeBackAsColour)
{
    // Smooth colours: halved chroma resolution costs little on them.
    Image picture(37, 32, 24);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 37; ++x)
            picture.rgbRow(y)[x] = packRgb(x * 6, y * 8, (x + y) * 3);
    const Bytes file = writtenByLibtiff([&](TIFF* tif) {
        setBasicTags(tif, 37, 32, 8, 3, PHOTOMETRIC_YCBCR);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_JPEG);
        TIFFSetField(tif, TIFFTAG_JPEGQUALITY, 95);
        TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 16);
        std::vector<std::uint8_t> row(37 * 3);
        for (int y = 0; y < 32; ++y) {
            for (int x = 0; x < 37; ++x) {
                const Rgb p = picture.rgbRow(y)[x];
                row[3 * x] = redOf(p), row[3 * x + 1] = greenOf(p), row[3 * x + 2] = blueOf(p);
            }
            TIFFWriteScanline(tif, row.data(), y, 0);
        }
    });
    const Image back = decodeTiff(file);
    EXPECT_EQ(back.depth(), 24);
    EXPECT_GT(test::psnr(back, picture), 40.0);
}

TEST(TiffReading, SeparatePlanesOfSixteenBitsAreJoined)
{
    const Image picture = test::noisePicture(9, 4, 21);
    const Bytes file = writtenByLibtiff([&](TIFF* tif) {
        setBasicTags(tif, 9, 4, 16, 3, PHOTOMETRIC_RGB);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_SEPARATE);
        std::vector<std::uint16_t> row(9);
        for (int plane = 0; plane < 3; ++plane)
            for (int y = 0; y < 4; ++y) {
                for (int x = 0; x < 9; ++x)
                    row[x] =
                        static_cast<std::uint16_t>(((picture.rgbRow(y)[x] >> (16 - 8 * plane)) & 0xFF) * 257);
                TIFFWriteScanline(tif, row.data(), y, static_cast<std::uint16_t>(plane));
            }
    });
    EXPECT_TRUE(test::sameColours(decodeTiff(file), picture));
}

TEST(TiffReading, GreyWithAlphaIsComposedOverWhite)
{
    const Bytes file = writtenByLibtiff([&](TIFF* tif) {
        setBasicTags(tif, 16, 16, 8, 2, PHOTOMETRIC_MINISBLACK);
        const std::uint16_t extra = EXTRASAMPLE_UNASSALPHA;
        TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, &extra);
        std::uint8_t row[32];
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x)
                row[2 * x] = static_cast<std::uint8_t>(x * 16),
                        row[2 * x + 1] = static_cast<std::uint8_t>(y * 17);
            TIFFWriteScanline(tif, row, y, 0);
        }
    });
    const Image back = decodeTiff(file);
    ASSERT_EQ(back.depth(), 8);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const unsigned g = x * 16;
            const int expected = int(redOf(test::overWhiteReference(packRgb(g, g, g), y * 17)));
            EXPECT_NEAR(int(redOf(back.pixelColour(x, y))), expected, 1) << x << "," << y;
        }
}

TEST(TiffReading, MinIsWhiteGreyIsInverted)
{
    const Bytes file = writtenByLibtiff([&](TIFF* tif) {
        setBasicTags(tif, 256, 1, 8, 1, PHOTOMETRIC_MINISWHITE);
        std::uint8_t row[256];
        for (int x = 0; x < 256; ++x)
            row[x] = static_cast<std::uint8_t>(x);
        TIFFWriteScanline(tif, row, 0, 0);
    });
    const Image back = decodeTiff(file);
    ASSERT_EQ(back.depth(), 8);
    for (int x = 0; x < 256; ++x)
        EXPECT_EQ(back.pixelColour(x, 0) & 0xFFFFFF, packRgb(255 - x, 255 - x, 255 - x) & 0xFFFFFF) << x;
}

TEST(TiffReading, BilevelBitsStoredLowestFirstAreRead)
{
    const Image picture = test::palettePicture(21, 3, 1, 4);
    const Bytes file = writtenByLibtiff([&](TIFF* tif) {
        setBasicTags(tif, 21, 3, 1, 1, PHOTOMETRIC_MINISBLACK);
        TIFFSetField(tif, TIFFTAG_FILLORDER, FILLORDER_LSB2MSB);
        for (int y = 0; y < 3; ++y) {
            std::uint8_t row[3] = {};
            for (int x = 0; x < 21; ++x)
                row[x / 8] |= static_cast<std::uint8_t>(picture.row(y)[x] << (7 - x % 8));
            TIFFWriteScanline(tif, row, y, 0);
        }
    });
    EXPECT_EQ(test::indicesOf(decodeTiff(file)), test::indicesOf(picture));
}

TEST(TiffReading, TiledFourBitPaletteKeepsItsIndices)
{
    const Image picture = test::palettePicture(37, 21, 4, 9);
    const Bytes file = writtenByLibtiff([&](TIFF* tif) {
        setBasicTags(tif, 37, 21, 4, 1, PHOTOMETRIC_PALETTE);
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, 16);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, 16);
        std::vector<std::uint16_t> red(16), green(16), blue(16);
        for (int i = 0; i < 16; ++i) {
            const Rgb p = picture.paletteEntry(i);
            red[i] = static_cast<std::uint16_t>(redOf(p) * 257);
            green[i] = static_cast<std::uint16_t>(greenOf(p) * 257);
            blue[i] = static_cast<std::uint16_t>(blueOf(p) * 257);
        }
        TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
        std::uint8_t tile[16 * 8];
        for (int ty = 0; ty < 21; ty += 16)
            for (int tx = 0; tx < 37; tx += 16) {
                std::memset(tile, 0, sizeof tile);
                for (int y = ty; y < std::min(ty + 16, 21); ++y)
                    for (int x = tx; x < std::min(tx + 16, 37); ++x)
                        tile[(y - ty) * 8 + (x - tx) / 2] |=
                            static_cast<std::uint8_t>(picture.row(y)[x] << ((x - tx) % 2 ? 0 : 4));
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
        const Bytes file = writtenByLibtiff([&](TIFF* tif) {
            setBasicTags(tif, 5, 4, 8, 3, PHOTOMETRIC_RGB);
            TIFFSetField(tif, TIFFTAG_ORIENTATION, orientation);
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1000); // more than the picture has
            for (int y = 0; y < 4; ++y) {
                std::uint8_t row[15];
                for (int x = 0; x < 5; ++x) {
                    const Rgb p = picture.rgbRow(y)[x];
                    row[3 * x] = redOf(p), row[3 * x + 1] = greenOf(p), row[3 * x + 2] = blueOf(p);
                }
                TIFFWriteScanline(tif, row, y, 0);
            }
        });
        EXPECT_TRUE(test::sameColours(decodeTiff(file), picture)) << orientation;
    }
}

TEST(TiffReading, SamplesThatAreNotPicturesAreRefusedWithASentence)
{
    struct Case {
        int bits;
        int format;
    };
    for (const Case c :
         {Case{32, SAMPLEFORMAT_IEEEFP}, Case{32, SAMPLEFORMAT_UINT}, Case{16, SAMPLEFORMAT_INT}}) {
        const Bytes file = writtenByLibtiff([&](TIFF* tif) {
            setBasicTags(tif, 4, 2, c.bits, 3, PHOTOMETRIC_RGB);
            TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, c.format);
            std::vector<std::uint8_t> row(4 * 3 * c.bits / 8, 0x40);
            for (int y = 0; y < 2; ++y)
                TIFFWriteScanline(tif, row.data(), y, 0);
        });
        try {
            const Image image = decodeTiff(file);
            // libtiff's RGBA reader takes some of these; then the picture must be whole.
            EXPECT_EQ(image.width(), 4) << c.bits << " " << c.format;
        } catch (const ImageError& e) {
            const std::string text = e.what();
            EXPECT_EQ(text.back(), '.') << text;
            EXPECT_NE(text.find("TIFF"), std::string::npos) << text;
        }
    }
}

TEST(TiffReading, FilesThatAreNotTiffAreRefused)
{
    const Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 0};
    try {
        decodeTiff(png);
        FAIL() << "no error";
    } catch (const ImageError& e) {
        EXPECT_NE(std::string(e.what()).find("TIFF"), std::string::npos) << e.what();
    }
    EXPECT_THROW(decodeTiff({}), ImageError);
}

TEST(TiffReading, DamagedFilesGiveAPictureOrAnImageErrorSilently)
{
    std::vector<Bytes> files;
    for (const std::string& name : test::referenceFileNames("tiff", ".tif"))
        files.push_back(test::readReferenceFile("tiff/" + name));
    for (int depth : {1, 4, 8, 24})
        for (int compression : {0, 1, 2})
            files.push_back(encodeTiff(test::roundTripPictures(depth, 1)[2], compression));
    const std::string printed = test::stderrOf([&] {
        for (const Bytes& file : files)
            test::decodeDamagedVariants(file, [](ByteSpan bytes) { decodeTiff(bytes); });
    });
    EXPECT_EQ(printed, "");
}

} // namespace
} // namespace vask
