#include "engine/codecs/bmp_codec.h"

#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace vask {
namespace {

using test::ByteBuilder;

Image pictureOfDepth(int depth, int width, int height)
{
    return depth == 24 ? test::noisePicture(width, height, 7) : test::palettePicture(width, height, depth, 7);
}

// A BMP file with a 40-byte info header; masks (if any) follow the header, then the palette.
Bytes bmpFile(int width, int height, int bits, std::uint32_t compression, const std::vector<Rgb>& palette,
              const Bytes& pixels, const std::vector<std::uint32_t>& masks = {})
{
    const std::size_t offset = 14 + 40 + 4 * masks.size() + 4 * palette.size();
    ByteBuilder b;
    b.text("BM").u32(offset + pixels.size()).u32(0).u32(offset);
    b.u32(40).u32(static_cast<std::uint32_t>(width)).u32(static_cast<std::uint32_t>(height)).u16(1).u16(bits);
    b.u32(compression).u32(pixels.size()).u32(2835).u32(2835).u32(palette.size()).u32(0);
    for (const std::uint32_t mask : masks)
        b.u32(mask);
    for (const Rgb c : palette)
        b.u8(blueOf(c)).u8(greenOf(c)).u8(redOf(c)).u8(0);
    Bytes file = b.result();
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

std::string errorOf(const Bytes& file)
{
    try {
        decodeBmp(file);
    } catch (const ImageError& e) {
        return e.what();
    }
    return {};
}

// 8-bit channel value of an n-bit one, computed in floating point as a second opinion.
unsigned widened(unsigned v, int bits)
{
    return static_cast<unsigned>(std::lround(v * 255.0 / ((1 << bits) - 1)));
}

using RoundTripCase = std::tuple<int, std::pair<int, int>>;

class BmpRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(BmpRoundTrip, KeepsDepthIndicesAndColours)
{
    const auto [depth, size] = GetParam();
    const Image picture = pictureOfDepth(depth, size.first, size.second);
    const Image back = decodeBmp(encodeBmp(picture));
    ASSERT_EQ(back.depth(), depth);
    EXPECT_TRUE(test::sameColours(back, picture));
    if (depth < 24) {
        EXPECT_EQ(test::indicesOf(back), test::indicesOf(picture));
        EXPECT_EQ(back.palette(), picture.palette());
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepthsOddWidths, BmpRoundTrip,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24),
                                            ::testing::Values(std::pair{1, 1}, std::pair{3, 2},
                                                              std::pair{17, 5}, std::pair{1001, 3})));

TEST(BmpCodec, WrittenFileIsUncompressedBottomUpWithInfoHeader)
{
    const Image picture = pictureOfDepth(4, 17, 5);
    const Bytes file = encodeBmp(picture);
    ASSERT_GE(file.size(), 54u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(file[14], 40); // info header
    EXPECT_EQ(file[28], 4);  // bits per pixel
    EXPECT_EQ(file[30], 0);  // no compression
    EXPECT_EQ(file[22], 5);  // positive height: bottom-up
    EXPECT_EQ(file[46], 16); // all 16 palette entries
    // 17 four-bit pixels take 9 bytes, padded to 12.
    EXPECT_EQ(file.size(), 54u + 16 * 4 + 12 * 5);
}

struct ReferenceCase {
    const char* file;
    int depth;
    // ImageMagick widens 5 and 6-bit channels through 16 bits and may land one level away
    // from the rounded value.
    int tolerance = 0;
};

class BmpReference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(BmpReference, DecodesAsImageMagickDoes)
{
    const ReferenceCase c = GetParam();
    const Image expected = test::decodeNetpbm(test::readReferenceFile(std::string("bmp/") + c.file + ".ppm"));
    ASSERT_FALSE(expected.isNull());
    const Image picture = decodeBmp(test::readReferenceFile(std::string("bmp/") + c.file));
    EXPECT_EQ(picture.depth(), c.depth);
    ASSERT_EQ(picture.width(), expected.width());
    ASSERT_EQ(picture.height(), expected.height());
    EXPECT_LE(test::maxChannelDifference(picture, expected), c.tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    ImageMagickFiles, BmpReference,
    ::testing::Values(ReferenceCase{"rgb24.bmp", 24}, ReferenceCase{"rgb24_v5.bmp", 24},
                      ReferenceCase{"pal8.bmp", 8}, ReferenceCase{"pal4.bmp", 4},
                      ReferenceCase{"pal1.bmp", 1}, ReferenceCase{"rle8.bmp", 8},
                      ReferenceCase{"rle8_runs.bmp", 8}, ReferenceCase{"os2_rgb24.bmp", 24},
                      ReferenceCase{"os2_pal4.bmp", 4}, ReferenceCase{"rgb565.bmp", 24, 1},
                      ReferenceCase{"rgb555.bmp", 24, 1}, ReferenceCase{"rgba32.bmp", 24}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

TEST(BmpCodec, PackedDibWithoutFileHeaderReadsLikeTheBmp)
{
    for (const char* name : {"bmp/rgb24.bmp", "bmp/pal8.bmp", "bmp/pal1.bmp", "bmp/rle8.bmp",
                             "bmp/os2_pal4.bmp", "bmp/rgb565.bmp"}) {
        const Bytes file = test::readReferenceFile(name);
        const Bytes dib(file.begin() + 14, file.end());
        const Image fromFile = decodeBmp(file);
        const Image fromDib = decodeBmp(dib);
        EXPECT_EQ(fromDib.depth(), fromFile.depth()) << name;
        EXPECT_TRUE(test::sameColours(fromDib, fromFile)) << name;
    }
}

TEST(BmpCodec, TopDownRowsWithNegativeHeightAreRead)
{
    for (const int depth : {1, 8, 24}) {
        const Image picture = pictureOfDepth(depth, 7, 4);
        Bytes file = encodeBmp(picture);
        const std::size_t offset = file[10] | (file[11] << 8);
        const std::size_t rowBytes = (file.size() - offset) / 4;
        Bytes flipped(file.begin(), file.begin() + offset);
        for (int row = 3; row >= 0; --row)
            flipped.insert(flipped.end(), file.begin() + offset + rowBytes * row,
                           file.begin() + offset + rowBytes * (row + 1));
        const std::uint32_t minusFour = static_cast<std::uint32_t>(-4);
        for (int i = 0; i < 4; ++i)
            flipped[22 + i] = static_cast<std::uint8_t>(minusFour >> (8 * i));
        EXPECT_TRUE(test::sameColours(decodeBmp(flipped), picture)) << depth;
    }
}

TEST(BmpCodec, Rle4RunsLiteralsDeltaAndEscapesLeaveSkippedPixelsAtZero)
{
    std::vector<Rgb> palette;
    for (int i = 0; i < 16; ++i)
        palette.push_back(packRgb(i * 16, 255 - i * 16, i));
    const Bytes rle = {
        0x05, 0x12, 0x00, 0x03, 0x34, 0x50, 0x00, 0x00, // bottom row: run 1,2,1,2,1; literal 3,4 (5 cut)
        0x00, 0x05, 0xAB, 0xCD, 0xE0, 0x00,             // middle row: literal of five, padded
        0x00, 0x02, 0x01, 0x01,                         // delta: one right, one up
        0x04, 0x77, 0x00, 0x01,                         // run past the row end, end of bitmap
    };
    const Image picture = decodeBmp(bmpFile(7, 3, 4, 2, palette, rle));
    ASSERT_EQ(picture.depth(), 4);
    const std::vector<int> expected = {
        0,  0,  0,  0,  0,  0, 7, //
        10, 11, 12, 13, 14, 0, 0, //
        1,  2,  1,  2,  1,  3, 4,
    };
    EXPECT_EQ(test::indicesOf(picture), expected);
    EXPECT_EQ(picture.paletteEntry(13), palette[13]);
}

TEST(BmpCodec, Rle8WithoutEndOfBitmapStopsAtTheEndOfData)
{
    const std::vector<Rgb> palette(256, packRgb(1, 2, 3));
    const Bytes rle = {0x03, 0x07, 0x00, 0x03, 0x01, 0x02, 0x03, 0x00, 0x00, 0x00, 0x02, 0x09};
    const Image picture = decodeBmp(bmpFile(5, 2, 8, 1, palette, rle));
    const std::vector<int> expected = {9, 9, 0, 0, 0, 7, 7, 7, 1, 2};
    EXPECT_EQ(test::indicesOf(picture), expected);
}

TEST(BmpCodec, SixteenBitDefaultIsFiveFiveFive)
{
    const Bytes pixels = ByteBuilder().u16(0x7C00).u16(0x03E0).u16(0x001F).u16(0x4210).result();
    const Image picture = decodeBmp(bmpFile(4, 1, 16, 0, {}, pixels));
    ASSERT_EQ(picture.depth(), 24);
    const unsigned half = widened(16, 5);
    const std::vector<Rgb> expected = {0xFF0000, 0x00FF00, 0x0000FF, (half << 16) | (half << 8) | half};
    EXPECT_EQ(test::coloursOf(picture), expected);
}

TEST(BmpCodec, SixteenBitFieldsAfterTheInfoHeaderGiveFiveSixFive)
{
    const Bytes pixels = ByteBuilder().u16(0xF800).u16(0x07E0).u16(0x001F).u16(0x8410).result();
    const Image picture = decodeBmp(bmpFile(4, 1, 16, 3, {}, pixels, {0xF800, 0x07E0, 0x001F}));
    const Rgb mid = packRgb(widened(16, 5), widened(32, 6), widened(16, 5)) & 0xFFFFFF;
    const std::vector<Rgb> expected = {0xFF0000, 0x00FF00, 0x0000FF, mid};
    EXPECT_EQ(test::coloursOf(picture), expected);
}

TEST(BmpCodec, ThirtyTwoBitPlainAndTenBitFields)
{
    const Bytes plain = {1, 2, 3, 0xAA, 250, 251, 252, 0};
    EXPECT_EQ(test::coloursOf(decodeBmp(bmpFile(2, 1, 32, 0, {}, plain))),
              (std::vector<Rgb>{0x030201, 0xFCFBFA}));
    // Ten bits a channel: red full, green half, blue none.
    const Bytes wide = ByteBuilder().u32((1023u << 20) | (512u << 10)).result();
    EXPECT_EQ(test::coloursOf(decodeBmp(bmpFile(1, 1, 32, 3, {}, wide, {0x3FF00000, 0xFFC00, 0x3FF}))),
              (std::vector<Rgb>{0xFF8000}));
}

TEST(BmpCodec, IndicesBeyondAShortPaletteAreBlack)
{
    const Bytes pixels = {1, 200, 0, 0};
    const Image picture = decodeBmp(bmpFile(2, 1, 8, 0, {packRgb(9, 9, 9), packRgb(200, 100, 50)}, pixels));
    EXPECT_EQ(test::coloursOf(picture), (std::vector<Rgb>{0xC86432, 0x000000}));
}

TEST(BmpCodec, TwoBitRowsBecomeAFourBitPicture)
{
    const std::vector<Rgb> palette = {packRgb(0, 0, 0), packRgb(255, 0, 0), packRgb(0, 255, 0),
                                      packRgb(0, 0, 255)};
    const Bytes pixels = {0x1B, 0x80, 0, 0}; // 0 1 2 3, 2
    const Image picture = decodeBmp(bmpFile(5, 1, 2, 0, palette, pixels));
    EXPECT_EQ(picture.depth(), 4);
    EXPECT_EQ(test::indicesOf(picture), (std::vector<int>{0, 1, 2, 3, 2}));
}

struct DamagedHeader {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    int bytes;
};

class BmpDamagedHeader : public ::testing::TestWithParam<DamagedHeader> {};

TEST_P(BmpDamagedHeader, IsRefusedWithASentence)
{
    const DamagedHeader c = GetParam();
    Bytes file = encodeBmp(pictureOfDepth(24, 3, 2));
    for (int i = 0; i < c.bytes; ++i)
        file[c.at + i] = static_cast<std::uint8_t>(c.value >> (8 * i));
    const std::string message = errorOf(file);
    ASSERT_FALSE(message.empty()) << c.what;
    EXPECT_EQ(message.rfind("The BMP file ", 0), 0u) << message;
    EXPECT_EQ(message.back(), '.') << message;
}

INSTANTIATE_TEST_SUITE_P(Fields, BmpDamagedHeader,
                         ::testing::Values(DamagedHeader{"zero width", 18, 0, 4},
                                           DamagedHeader{"negative width", 18, 0xFFFFFFFB, 4},
                                           DamagedHeader{"width above 32767", 18, 40000, 4},
                                           DamagedHeader{"zero height", 22, 0, 4},
                                           DamagedHeader{"most negative height", 22, 0x80000000, 4},
                                           DamagedHeader{"height above 32767", 22, 32768, 4},
                                           DamagedHeader{"three bits per pixel", 28, 3, 2},
                                           DamagedHeader{"JPEG inside", 30, 4, 4},
                                           DamagedHeader{"RLE8 at 24 bits", 30, 1, 4},
                                           DamagedHeader{"unknown compression", 30, 77, 4},
                                           DamagedHeader{"header of 8 bytes", 14, 8, 4},
                                           DamagedHeader{"pixels past the end", 10, 0xFFFFFFF0, 4},
                                           DamagedHeader{"rows beyond the file", 22, 3, 4}),
                         [](const auto& info) {
                             std::string name = info.param.what;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

TEST(BmpCodec, RunLengthClaimFarBeyondItsDataIsRefusedBeforeAllocating)
{
    const Bytes file = bmpFile(30000, 30000, 8, 1, std::vector<Rgb>(256), {0x00, 0x01});
    const std::string message = errorOf(file);
    EXPECT_NE(message.find("damaged"), std::string::npos) << message;
}

TEST(BmpCodec, CutShortFileIsRefused)
{
    Bytes file = encodeBmp(pictureOfDepth(24, 3, 2));
    file.resize(file.size() - 4);
    EXPECT_NE(errorOf(file).find("ends before its last row"), std::string::npos);
}

TEST(BmpCodec, MissingLastRowPaddingIsAccepted)
{
    const Image picture = pictureOfDepth(24, 3, 2);
    Bytes file = encodeBmp(picture);
    file.resize(file.size() - 3); // 3 pixels take 9 bytes of a 12-byte row
    EXPECT_TRUE(test::sameColours(decodeBmp(file), picture));
}

TEST(BmpCodec, EmptyPictureCannotBeWritten)
{
    EXPECT_THROW(encodeBmp(Image()), ImageError);
}

} // namespace
} // namespace vask
