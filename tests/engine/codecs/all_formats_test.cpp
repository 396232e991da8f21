#include "engine/codecs/bmp_codec.h"
#include "engine/codecs/image_file.h"
#include "engine/codecs/jpeg_codec.h"
#include "engine/codecs/palette_file.h"
#include "engine/codecs/pcx_codec.h"
#include "engine/codecs/png_codec.h"
#include "engine/codecs/tga_codec.h"
#include "engine/codecs/tiff_codec.h"
#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>
#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

namespace vask {
namespace {

const auto le16 = [](const Bytes& f, std::size_t at) -> unsigned { return f[at] | (f[at + 1] << 8); };
const auto le32 = [](const Bytes& f, std::size_t at) { return le16(f, at) | (le16(f, at + 2) << 16); };

// The pictures every round trip runs through: 1x1, 3x2, 17x5 and 1001x3 (odd widths leave
// partial bytes in packed rows), random colours at 24 bits, random indices below.
std::vector<Image> roundTripPictures(int depth, std::uint32_t seed)
{
    std::vector<Image> pictures;
    for (const auto& [width, height] : {std::pair{1, 1}, {3, 2}, {17, 5}, {1001, 3}})
        pictures.push_back(depth == 24 ? test::noisePicture(width, height, seed++)
                                       : test::palettePicture(width, height, depth, seed++));
    return pictures;
}

// The first start-of-frame marker of a JPEG file (0xC0 baseline, 0xC2 progressive) and its
// component count.
std::pair<int, int> jpegFrameOf(const Bytes& file)
{
    for (std::size_t i = 2; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] >= 0xC0 && file[i + 1] <= 0xC2)
            return {file[i + 1], file[i + 9]};
    return {-1, 0};
}

using Fields = std::vector<unsigned>;

// Each check reads the written header against the format's own layout rules.
void checkBmp(const Bytes& f, const Image& p, int)
{
    const unsigned bits = p.depth(), colours = Image::paletteSizeFor(bits),
                   rowBytes = (p.width() * bits + 31) / 32 * 4;
    // Magic, info header, bits, no compression, positive height (bottom-up), palette, file size.
    EXPECT_EQ((Fields{le16(f, 0), le32(f, 14), le16(f, 28), le32(f, 30), le32(f, 22), le32(f, 46),
                      unsigned(f.size())}),
              (Fields{'B' | ('M' << 8), 40, bits, 0, unsigned(p.height()), colours,
                      54 + 4 * colours + rowBytes * p.height()}));
}

void checkTga(const Bytes& f, const Image& p, int)
{
    // Colour-mapped pictures: a map of their own entries of 24 bits and 8-bit indices.
    const bool mapped = p.depth() < 24;
    EXPECT_EQ((Fields{f[1], f[2], le16(f, 5), f[7], f[16]}),
              (Fields{mapped, mapped ? 1u : 2u, unsigned(p.palette().size()), mapped ? 24u : 0u,
                      mapped ? 8u : 24u}));
}

void checkPcx(const Bytes& f, const Image& p, int)
{
    // Version 5, RLE, bits, planes, even plane lines, right and bottom edge, end palette.
    const unsigned bits = p.depth() == 1 || p.depth() == 4 ? 1 : 8,
                   planes = p.depth() == 4 ? 4 : std::max(1, p.depth() / 8);
    EXPECT_EQ((Fields{f[0], f[1], f[2], f[3], f[65], le16(f, 66), le16(f, 8), le16(f, 10),
                      f.size() > 769 && f[f.size() - 769] == 0x0C}),
              (Fields{0x0A, 5, 1, bits, planes, ((p.width() * bits + 7) / 8 + 1) / 2 * 2, p.width() - 1u,
                      p.height() - 1u, p.depth() == 8}));
}

void checkPng(const Bytes& f, const Image& p, int interlaced)
{
    // Bit depth, colour type (RGB or palette), interlace method.
    EXPECT_EQ((Fields{f[24], f[25], f[28]}),
              (Fields{p.depth() == 24 ? 8u : p.depth(), p.depth() == 24 ? 2u : 3u, unsigned(interlaced)}));
}

// libtiff's own reader, independent of ours, sees the tags and pixels we meant.
void checkTiff(const Bytes& f, const Image& p, int compression)
{
    const unsigned compressions[] = {COMPRESSION_NONE, COMPRESSION_ADOBE_DEFLATE, COMPRESSION_PACKBITS};
    const test::LibtiffView view = test::readWithLibtiff(f);
    EXPECT_EQ(
        (Fields{view.compression, view.bits, view.samples}),
        (Fields{compressions[compression], p.depth() == 24 ? 8u : p.depth(), p.depth() == 24 ? 3u : 1u}));
    EXPECT_TRUE(test::sameColours(view.picture, p));
}

void checkJpeg(const Bytes& f, const Image&, int option)
{
    EXPECT_EQ(jpegFrameOf(f), (std::pair{option % 2 == 1 ? 0xC2 : 0xC0, option >= 2 ? 1 : 3}));
}

struct Writer {
    const char* name;
    Bytes (*encode)(const Image&, int option);
    Image (*decode)(ByteSpan);
    int option;
    void (*checkFile)(const Bytes&, const Image&, int option);
};

const Writer kWriters[] = {
    {"Bmp", [](const Image& p, int) { return encodeBmp(p); }, decodeBmp, 0, checkBmp},
    {"Tga", [](const Image& p, int) { return encodeTga(p); }, decodeTga, 0, checkTga},
    {"Pcx", [](const Image& p, int) { return encodePcx(p); }, decodePcx, 0, checkPcx},
    {"Png", [](const Image& p, int o) { return encodePng(p, o == 1); }, decodePng, 0, checkPng},
    {"PngInterlaced", [](const Image& p, int o) { return encodePng(p, o == 1); }, decodePng, 1, checkPng},
    {"Tiff", encodeTiff, decodeTiff, 0, checkTiff},
    {"TiffDeflate", encodeTiff, decodeTiff, 1, checkTiff},
    {"TiffPackBits", encodeTiff, decodeTiff, 2, checkTiff},
    {"JpegBaseline", [](const Image& p, int o) { return encodeJpeg(p, 100, o); }, decodeJpeg, 0, checkJpeg},
    {"JpegProgressive", [](const Image& p, int o) { return encodeJpeg(p, 100, o); }, decodeJpeg, 1,
     checkJpeg},
    {"JpegGrey", [](const Image& p, int o) { return encodeJpeg(p, 100, o); }, decodeJpeg, 2, checkJpeg},
    {"JpegGreyProgressive", [](const Image& p, int o) { return encodeJpeg(p, 100, o); }, decodeJpeg, 3,
     checkJpeg},
};

bool isJpeg(const Writer& w)
{
    return w.decode == decodeJpeg;
}

// Luminance in floating point, rounded: the grey a greyscale JPEG should hold.
Image luminanceOf(const Image& picture)
{
    Image grey(picture.width(), picture.height(), 24);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Rgb p = picture.pixelColour(x, y);
            const auto v = unsigned(std::lround(0.299 * redOf(p) + 0.587 * greenOf(p) + 0.114 * blueOf(p)));
            grey.rgbRow(y)[x] = packRgb(v, v, v);
        }
    return grey;
}

class RoundTrip : public ::testing::TestWithParam<std::tuple<Writer, int>> {};

// Lossless formats keep depth, indices and colours (TGA writes palettes as 8 bits); JPEG at
// quality 100 keeps even random pixels closely, and its greyscale options keep the luminance.
TEST_P(RoundTrip, GivesBackThePictureAtTheDepthTheFormatHolds)
{
    const auto& [w, depth] = GetParam();
    for (const Image& picture : roundTripPictures(depth, 11)) {
        SCOPED_TRACE(std::to_string(picture.width()) + " x " + std::to_string(picture.height()));
        const Bytes file = w.encode(picture, w.option);
        w.checkFile(file, picture, w.option);
        const Image back = w.decode(file);
        ASSERT_EQ(back.width(), picture.width());
        ASSERT_EQ(back.height(), picture.height());
        if (const bool grey = w.option >= 2; isJpeg(w)) {
            EXPECT_EQ(back.depth(), grey ? 8 : 24);
            EXPECT_EQ(back.palette(), grey ? greyPalette(8) : std::vector<Rgb>());
            EXPECT_GT(test::psnr(back, grey ? luminanceOf(picture) : picture), grey ? 45.0 : 38.0);
        } else {
            EXPECT_EQ(back.depth(), depth < 24 && w.decode == decodeTga ? 8 : depth);
            EXPECT_TRUE(test::sameColours(back, picture));
            EXPECT_EQ(test::indicesOf(back), test::indicesOf(picture));
            if (back.depth() == depth) {
                EXPECT_EQ(back.palette(), picture.palette());
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryWriterAndDepth, RoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kWriters), ::testing::Values(1, 4, 8, 24)),
                         [](const auto& info) {
                             return std::get<0>(info.param).name + std::to_string(std::get<1>(info.param));
                         });

// About 2 MB of rows (several strips, chunks and compression buffers) and the longest sides.
TEST(RoundTrip, LargePicturesComeBackWhole)
{
    for (const Image& picture :
         {test::noisePicture(1001, 700, 5), test::palettePicture(3001, 700, 8, 6),
          test::palettePicture(Image::kMaxSide, 2, 1, 3), test::palettePicture(2, Image::kMaxSide, 1, 3)})
        for (const Writer& w : kWriters) {
            if (isJpeg(w))
                continue;
            SCOPED_TRACE(std::string(w.name) + " " + std::to_string(picture.width()) + " x " +
                         std::to_string(picture.height()));
            const Bytes file = w.encode(picture, w.option);
            w.checkFile(file, picture, w.option);
            EXPECT_TRUE(test::sameColours(w.decode(file), picture));
        }
}

TEST(RoundTrip, WritersRefuseAnEmptyPictureAndUnknownOptions)
{
    for (const Writer& w : kWriters)
        EXPECT_THROW(w.encode(Image(), w.option), ImageError) << w.name;
    const Image picture = test::gradientPicture(8, 8);
    for (int option : {-1, 3, 5}) // TIFF: only none, Deflate and PackBits
        EXPECT_THROW(encodeTiff(picture, option), ImageError) << option;
    for (int option : {-1, 4, 7})
        EXPECT_THROW(encodeJpeg(picture, 75, option), ImageError) << option;
}

TEST(RoundTrip, PicturesThatCompressGiveSmallFiles)
{
    const Image gradient = test::gradientPicture(300, 200);
    Image flat(300, 200, 8);
    flat.fill(3);
    EXPECT_LT(encodePng(gradient, false).size() * 4, std::size_t(300) * 200 * 3);
    EXPECT_LT(encodeTiff(gradient, 1).size() * 2, encodeTiff(gradient, 0).size());
    EXPECT_LT(encodeTiff(flat, 2).size() * 10, encodeTiff(flat, 0).size());
}

// The depth of the decoded picture and the largest channel difference from <file>.ppm, ImageMagick's
// decoding (msp/frame.pbm for MSP). It widens 5-, 6- and 16-bit samples and composes alpha differently,
// truncates TIFF colour maps (v / 257; we take the high byte as libtiff does); JPEG decoders round apart.
struct Reference {
    std::string file;
    int depth;
    int tolerance = 0;
};

// clang-format off
const Reference kReferences[] = {
    {"bmp/rgb24.bmp", 24}, {"bmp/rgb24_v5.bmp", 24}, {"bmp/pal8.bmp", 8}, {"bmp/pal4.bmp", 4},
    {"bmp/pal1.bmp", 1}, {"bmp/rle8.bmp", 8}, {"bmp/rle8_runs.bmp", 8}, {"bmp/os2_rgb24.bmp", 24},
    {"bmp/os2_pal4.bmp", 4}, {"bmp/rgb565.bmp", 24, 1}, {"bmp/rgb555.bmp", 24, 1}, {"bmp/rgba32.bmp", 24},
    {"tga/rgb24.tga", 24}, {"tga/rgb24_top.tga", 24}, {"tga/rgb24_rle.tga", 24}, {"tga/pal8.tga", 8},
    {"tga/pal8_rle.tga", 8}, {"tga/grey.tga", 8}, {"tga/grey_rle.tga", 8}, {"tga/rgba32.tga", 24},
    {"tga/rgba32_rle.tga", 24},
    {"pcx/rgb24.pcx", 24}, {"pcx/pal8.pcx", 8}, {"pcx/runs8.pcx", 8}, {"pcx/mono.pcx", 1},
    {"msp/frame_v1.msp", 1}, {"msp/frame_v2.msp", 1},
    {"tiff/rgb8.tif", 24}, {"tiff/rgb8_msb.tif", 24}, {"tiff/rgb8_lzw.tif", 24},
    {"tiff/rgb8_packbits.tif", 24}, {"tiff/rgb8_deflate_predictor.tif", 24}, {"tiff/rgb8_jpeg.tif", 24, 2},
    {"tiff/rgb8_tiled.tif", 24}, {"tiff/rgb8_tiled_lzw.tif", 24}, {"tiff/rgb8_planar.tif", 24},
    {"tiff/rgb16.tif", 24, 1}, {"tiff/rgb16_msb.tif", 24, 1}, {"tiff/rgb16_msb_lzw.tif", 24, 1},
    {"tiff/rgb16_lzw.tif", 24, 1}, {"tiff/rgba8.tif", 24, 1}, {"tiff/rgba8_associated.tif", 24, 1},
    {"tiff/grey8.tif", 8}, {"tiff/grey16.tif", 8, 1}, {"tiff/grey4.tif", 4}, {"tiff/grey2.tif", 4},
    {"tiff/bilevel_miniswhite.tif", 1}, {"tiff/bilevel_minisblack.tif", 1}, {"tiff/bilevel_group4.tif", 1},
    {"tiff/pal8.tif", 8}, {"tiff/pal8_lzw.tif", 8, 1}, {"tiff/pal4.tif", 4}, {"tiff/cmyk.tif", 24, 1},
    {"tiff/two_pages.tif", 24},
    {"jpeg/baseline.jpg", 24, 1}, {"jpeg/baseline_444.jpg", 24, 1}, {"jpeg/progressive.jpg", 24, 1},
    {"jpeg/grey.jpg", 8}, {"jpeg/cmyk.jpg", 24, 1},
    {"png/rgb8.png", 24}, {"png/rgb16.png", 24, 1}, {"png/rgba8.png", 24, 1}, {"png/rgba16.png", 24, 1},
    {"png/rgb8_trns.png", 24}, {"png/rgb8_trns_interlaced.png", 24}, {"png/rgb8_interlaced.png", 24},
    {"png/rgba8_interlaced.png", 24, 1}, {"png/grey1.png", 1}, {"png/grey2.png", 4}, {"png/grey4.png", 4},
    {"png/grey8.png", 8}, {"png/grey16.png", 8, 1}, {"png/grey8_trns.png", 8}, {"png/grey2_trns.png", 4},
    {"png/grey16_trns.png", 8, 1}, {"png/grey4_interlaced.png", 4}, {"png/grey_alpha8.png", 8, 1},
    {"png/grey_alpha16.png", 8, 1}, {"png/pal1.png", 1}, {"png/pal2.png", 4}, {"png/pal4.png", 4},
    {"png/pal8.png", 8}, {"png/pal1_interlaced.png", 1}, {"png/pal2_interlaced.png", 4},
    {"png/pal4_interlaced.png", 4}, {"png/pal8_interlaced.png", 8}, {"png/pal4_trns.png", 4, 1},
    {"png/pal4_short.png", 4}, {"png/pal8_trns.png", 8, 1},
};
// clang-format on

TEST(ReferenceFiles, DecodeAsImageMagickDoes)
{
    for (const auto& [file, depth, tolerance] : kReferences) {
        SCOPED_TRACE(file);
        const Image expected = test::decodeNetpbm(
            test::readReferenceFile(file.starts_with("msp/") ? "msp/frame.pbm" : file + ".ppm"));
        ASSERT_FALSE(expected.isNull());
        Image decoded;
        ASSERT_NO_THROW(decoded = decodeImage(formatForFileName(file), test::readReferenceFile(file)));
        EXPECT_EQ(decoded.depth(), depth);
        ASSERT_EQ(decoded.width(), expected.width());
        ASSERT_EQ(decoded.height(), expected.height());
        EXPECT_LE(test::maxChannelDifference(decoded, expected), tolerance);
    }
}

// Every cut and many changed copies of every reference file and of every writer's output give
// a picture or an ImageError, never a crash, another exception or a library's message on stderr
// (the fuzzers check the same under AddressSanitizer).
TEST(DamagedFiles, GiveAPictureOrAnImageErrorSilently)
{
    std::vector<std::tuple<std::string, Bytes, std::function<void(ByteSpan)>>> files;
    for (const char* folder : {"bmp", "tga", "pcx", "msp", "pal", "tiff", "jpeg", "png"})
        for (const std::string& name : test::referenceFileNames(folder))
            files.emplace_back(
                name, test::readReferenceFile(name), [format = formatForFileName(name)](ByteSpan b) {
                    format == ImageFormat::Unknown ? void(decodePalette(b)) : void(decodeImage(format, b));
                });
    for (const Writer& w : kWriters)
        for (const int depth : {1, 4, 8, 24})
            files.emplace_back(w.name + std::to_string(depth),
                               w.encode(roundTripPictures(depth, 1)[2], w.option),
                               [&w](ByteSpan b) { w.decode(b); });
    ::testing::internal::CaptureStderr();
    for (const auto& [name, bytes, decode] : files) {
        SCOPED_TRACE(name);
        test::decodeDamagedVariants(bytes, decode);
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(DamagedFiles, BytesOfAnotherFormatOrNoneAreRefusedWithASentenceNamingTheFormat)
{
    const Bytes png = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 0};
    const Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0};
    // clang-format off
    for (const auto& [format, word] : {std::pair{ImageFormat::Bmp, "BMP"}, {ImageFormat::Tga, "TGA"},
             {ImageFormat::Pcx, "PCX"}, {ImageFormat::Msp, "MSP"}, {ImageFormat::Tif, "TIFF"},
             {ImageFormat::Jpg, "JPEG"}, {ImageFormat::Png, "PNG"}})
        // clang-format on
        for (const Bytes& bytes : {format == ImageFormat::Png ? jpeg : png, Bytes{}}) {
            const std::string message = test::errorOf([&] { decodeImage(format, bytes); });
            EXPECT_NE(message.find(word), std::string::npos) << word << ": " << message;
            EXPECT_TRUE(message.ends_with('.')) << message;
        }
}

TEST(PngReading, TransparentPaletteEntriesBecomeTheirColourOverWhite)
{
    // pal4_trns.png: entry i is ((i * 97) % 256, (i * 53 + 20) % 256, 255 - i * 31); entries 0..3
    // have alpha 0, 64, 128, 200, the rest are opaque.
    const auto entry = [](unsigned i) { return packRgb(i * 97 % 256, (i * 53 + 20) % 256, 255 - i * 31); };
    const Image image = decodePng(test::readReferenceFile("png/pal4_trns.png"));
    ASSERT_EQ(image.depth(), 4);
    EXPECT_EQ(image.paletteEntry(0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.paletteEntry(5) & 0xFFFFFF, entry(5) & 0xFFFFFF);
    Image expected(1, 1, 24), decoded(1, 1, 24);
    expected.fill(test::overWhiteReference(entry(2), 128));
    decoded.fill(image.paletteEntry(2));
    EXPECT_LE(test::maxChannelDifference(decoded, expected), 1);
}

TEST(PngReading, SidesBeyondTheLimitAreRefused)
{
    // A valid header for 40000 x 1 pixels: refused before any pixel memory is taken.
    Bytes file = encodePng(test::noisePicture(1, 1, 1), false);
    file[16] = 0, file[17] = 0, file[18] = 0x9C, file[19] = 0x40;
    EXPECT_THROW(decodePng(file), ImageError);
}

} // namespace
} // namespace vask
