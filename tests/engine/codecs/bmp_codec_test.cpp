#include "engine/codecs/bmp_codec.h"

#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace vask {
namespace {

using test::ByteBuilder;

// A BMP file with a 40-byte info header; masks (if any) follow the header, then the palette.
Bytes bmpFile(int width, int height, int bits, std::uint32_t compression, const std::vector<Rgb>& palette,
              const Bytes& pixels, const std::vector<std::uint32_t>& masks = {})
{
    const std::size_t offset = 14 + 40 + 4 * masks.size() + 4 * palette.size();
    ByteBuilder b;
    b.text("BM").u32(offset + pixels.size()).u32(0).u32(offset);
    b.u32(40).u32(width).u32(height).u16(1).u16(bits); // negative sides as two's complement
    b.u32(compression).u32(pixels.size()).u32(2835).u32(2835).u32(palette.size()).u32(0);
    for (const std::uint32_t mask : masks)
        b.u32(mask);
    for (const Rgb c : palette)
        b.u8(blueOf(c)).u8(greenOf(c)).u8(redOf(c)).u8(0);
    return b.append(pixels).result();
}

// 8-bit channel value of an n-bit one, computed in floating point as a second opinion.
unsigned widened(unsigned v, int bits)
{
    return static_cast<unsigned>(std::lround(v * 255.0 / ((1 << bits) - 1)));
}

TEST(BmpCodec, PackedDibWithoutFileHeaderReadsLikeTheBmp)
{
    for (const char* name : {"bmp/rgb24.bmp", "bmp/pal8.bmp", "bmp/pal1.bmp", "bmp/rle8.bmp",
                             "bmp/os2_pal4.bmp", "bmp/rgb565.bmp"}) {
        const Bytes file = test::readReferenceFile(name);
        const Image fromFile = decodeBmp(file), fromDib = decodeBmp(ByteSpan(file).subspan(14));
        EXPECT_EQ(fromDib.depth(), fromFile.depth()) << name;
        EXPECT_TRUE(test::sameColours(fromDib, fromFile)) << name;
    }
}

TEST(BmpCodec, TopDownRowsWithNegativeHeightAreRead)
{
    for (const int depth : {1, 8, 24}) {
        const Image picture =
            depth == 24 ? test::noisePicture(7, 4, 7) : test::palettePicture(7, 4, depth, 7);
        const Bytes file = encodeBmp(picture);
        const std::size_t offset = file[10] | (file[11] << 8), rowBytes = (file.size() - offset) / 4;
        Bytes flipped(file.begin(), file.begin() + offset);
        for (int row = 3; row >= 0; --row)
            flipped.insert(flipped.end(), file.begin() + offset + rowBytes * row,
                           file.begin() + offset + rowBytes * (row + 1));
        flipped[22] = 0xFC, flipped[23] = flipped[24] = flipped[25] = 0xFF; // -4
        EXPECT_TRUE(test::sameColours(decodeBmp(flipped), picture)) << depth;
    }
}

TEST(BmpCodec, Rle4RunsLiteralsDeltaAndEscapesLeaveSkippedPixelsAtZero)
{
    const std::vector<Rgb> palette = test::palettePicture(1, 1, 4, 5).palette();
    const Bytes rle = {
        0x05, 0x12, 0x00, 0x03, 0x34, 0x50, 0x00, 0x00, // bottom row: run 1,2,1,2,1; literal 3,4 (5 cut)
        0x00, 0x05, 0xAB, 0xCD, 0xE0, 0x00,             // middle row: literal of five, padded
        0x00, 0x02, 0x01, 0x01,                         // delta: one right, one up
        0x04, 0x77, 0x00, 0x01,                         // run past the row end, end of bitmap
    };
    const Image picture = decodeBmp(bmpFile(7, 3, 4, 2, palette, rle));
    ASSERT_EQ(picture.depth(), 4);
    EXPECT_EQ(test::indicesOf(picture), (std::vector<int>{0, 0, 0, 0, 0, 0, 7, 10, 11, 12, 13, 14, 0, 0, //
                                                          1, 2, 1, 2, 1, 3, 4}));
    EXPECT_EQ(picture.paletteEntry(13), palette[13]);
}

TEST(BmpCodec, Rle8WithoutEndOfBitmapStopsAtTheEndOfData)
{
    const Bytes rle = {0x03, 0x07, 0x00, 0x03, 0x01, 0x02, 0x03, 0x00, 0x00, 0x00, 0x02, 0x09};
    const Image picture = decodeBmp(bmpFile(5, 2, 8, 1, std::vector<Rgb>(256, packRgb(1, 2, 3)), rle));
    EXPECT_EQ(test::indicesOf(picture), (std::vector<int>{9, 9, 0, 0, 0, 7, 7, 7, 1, 2}));
}

TEST(BmpCodec, HandMadeFilesOfEveryPixelLayoutAreRead)
{
    const auto expect = [](const char* what, const Bytes& file, int depth, const std::vector<Rgb>& colours) {
        const Image picture = decodeBmp(file);
        EXPECT_EQ(picture.depth(), depth) << what;
        EXPECT_EQ(test::coloursOf(picture), colours) << what;
    };
    const unsigned h5 = widened(16, 5), h6 = widened(32, 6);
    expect("16 bits default 5-5-5",
           bmpFile(4, 1, 16, 0, {}, ByteBuilder().u16(0x7C00).u16(0x03E0).u16(0x001F).u16(0x4210).result()),
           24, {0xFF0000, 0x00FF00, 0x0000FF, (h5 << 16) | (h5 << 8) | h5});
    expect("16 bits fields 5-6-5",
           bmpFile(4, 1, 16, 3, {}, ByteBuilder().u16(0xF800).u16(0x07E0).u16(0x001F).u16(0x8410).result(),
                   {0xF800, 0x07E0, 0x001F}),
           24, {0xFF0000, 0x00FF00, 0x0000FF, (h5 << 16) | (h6 << 8) | h5});
    expect("32 bits plain", bmpFile(2, 1, 32, 0, {}, {1, 2, 3, 0xAA, 250, 251, 252, 0}), 24,
           {0x030201, 0xFCFBFA});
    expect("32 bits of ten-bit fields: red full, green half, blue none",
           bmpFile(1, 1, 32, 3, {}, ByteBuilder().u32((1023u << 20) | (512u << 10)).result(),
                   {0x3FF00000, 0xFFC00, 0x3FF}),
           24, {0xFF8000});
    expect("indices beyond a short palette are black",
           bmpFile(2, 1, 8, 0, {packRgb(9, 9, 9), packRgb(200, 100, 50)}, {1, 200, 0, 0}), 8, {0xC86432, 0});
    const std::vector<Rgb> rgb = {packRgb(0, 0, 0), packRgb(255, 0, 0), packRgb(0, 255, 0),
                                  packRgb(0, 0, 255)};
    expect("two-bit rows 0 1 2 3 2 become a four-bit picture", bmpFile(5, 1, 2, 0, rgb, {0x1B, 0x80, 0, 0}),
           4, {0, 0xFF0000, 0x00FF00, 0x0000FF, 0x00FF00});
}

TEST(BmpCodec, MissingLastRowPaddingIsAccepted)
{
    const Image picture = test::noisePicture(3, 2, 7);
    Bytes file = encodeBmp(picture);
    file.resize(file.size() - 3); // 3 pixels take 9 bytes of a 12-byte row
    EXPECT_TRUE(test::sameColours(decodeBmp(file), picture));
}

TEST(BmpCodec, DamagedHeadersAreRefusedWithASentence)
{
    // Four little-endian bytes set at an offset of a good file.
    // clang-format off
    const std::tuple<const char*, std::size_t, std::uint32_t> cases[] = {
        {"zero width", 18, 0}, {"negative width", 18, 0xFFFFFFFB}, {"width above 32767", 18, 40000},
        {"zero height", 22, 0}, {"most negative height", 22, 0x80000000}, {"height above 32767", 22, 32768},
        {"three bits per pixel", 28, 3}, {"JPEG inside", 30, 4}, {"RLE8 at 24 bits", 30, 1},
        {"unknown compression", 30, 77}, {"header of 8 bytes", 14, 8}, {"pixels past the end", 10, 0xFFFFFFF0},
        {"rows beyond the file", 22, 3}};
    // clang-format on
    for (const auto& [what, at, value] : cases) {
        Bytes file = encodeBmp(test::noisePicture(3, 2, 7));
        for (int i = 0; i < 4; ++i)
            file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
        test::expectSentence(test::errorOf([&] { decodeBmp(file); }), "The BMP file ", what);
    }
    Bytes cut = encodeBmp(test::noisePicture(3, 2, 7));
    cut.resize(cut.size() - 4);
    EXPECT_NE(test::errorOf([&] { decodeBmp(cut); }).find("ends before its last row"), std::string::npos);
    // A run-length claim far beyond its data is refused before the pixels are allocated.
    const Bytes huge = bmpFile(30000, 30000, 8, 1, std::vector<Rgb>(256), {0x00, 0x01});
    EXPECT_NE(test::errorOf([&] { decodeBmp(huge); }).find("damaged"), std::string::npos);
}

} // namespace
} // namespace vask
