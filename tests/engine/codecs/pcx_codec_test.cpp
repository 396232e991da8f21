#include "engine/codecs/pcx_codec.h"

#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vask {
namespace {

using test::ByteBuilder;

struct PcxHeader {
    int version = 5;
    int encoding = 1;
    int bits = 8;
    int planes = 1;
    int width = 1;
    int height = 1;
    int bytesPerLine = 2;
    std::vector<Rgb> palette; // the 16 header entries
};

Bytes pcxFile(const PcxHeader& h, const Bytes& data, const std::vector<Rgb>& endPalette = {})
{
    ByteBuilder b;
    b.u8(0x0A).u8(h.version).u8(h.encoding).u8(h.bits);
    b.u16(0).u16(0).u16(h.width - 1).u16(h.height - 1).u16(72).u16(72);
    for (int i = 0; i < 16; ++i) {
        const Rgb c = i < static_cast<int>(h.palette.size()) ? h.palette[i] : 0;
        b.u8(redOf(c)).u8(greenOf(c)).u8(blueOf(c));
    }
    b.u8(0).u8(h.planes).u16(h.bytesPerLine).u16(1).repeat(0, 58);
    Bytes file = b.result();
    file.insert(file.end(), data.begin(), data.end());
    if (!endPalette.empty()) {
        file.push_back(0x0C);
        for (int i = 0; i < 256; ++i) {
            const Rgb c = i < static_cast<int>(endPalette.size()) ? endPalette[i] : 0;
            file.insert(file.end(),
                        {static_cast<std::uint8_t>(redOf(c)), static_cast<std::uint8_t>(greenOf(c)),
                         static_cast<std::uint8_t>(blueOf(c))});
        }
    }
    return file;
}

std::string errorOf(const Bytes& file)
{
    try {
        decodePcx(file);
    } catch (const ImageError& e) {
        return e.what();
    }
    return {};
}

using RoundTripCase = std::tuple<int, std::pair<int, int>>;

class PcxRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

TEST_P(PcxRoundTrip, KeepsDepthIndicesAndColours)
{
    const auto [depth, size] = GetParam();
    const Image picture = depth == 24 ? test::noisePicture(size.first, size.second, 5)
                                      : test::palettePicture(size.first, size.second, depth, 5);
    const Image back = decodePcx(encodePcx(picture));
    ASSERT_EQ(back.depth(), depth);
    EXPECT_TRUE(test::sameColours(back, picture));
    if (depth < 24) {
        EXPECT_EQ(test::indicesOf(back), test::indicesOf(picture));
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepthsOddWidths, PcxRoundTrip,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24),
                                            ::testing::Values(std::pair{1, 1}, std::pair{3, 2},
                                                              std::pair{17, 5}, std::pair{1001, 3})));

TEST(PcxCodec, RunsOfEveryLengthAndHighBytesSurviveARoundTrip)
{
    // Runs of 1 to 200 bytes, many of them 0xC0 and above, which must be written as runs.
    Image picture(2000, 2, 8);
    std::vector<Rgb> palette(256);
    for (int i = 0; i < 256; ++i)
        palette[i] = packRgb(i, 255 - i, i / 2);
    picture.setPalette(palette);
    int x = 0;
    for (int run = 1; x < 2000; ++run)
        for (int i = 0; i < run % 200 + 1 && x < 2000; ++i, ++x) {
            picture.row(0)[x] = static_cast<std::uint8_t>(0xBE + run);
            picture.row(1)[x] = static_cast<std::uint8_t>(x * 7);
        }
    EXPECT_EQ(test::indicesOf(decodePcx(encodePcx(picture))), test::indicesOf(picture));
}

struct LayoutCase {
    int depth;
    int bits;
    int planes;
    int bytesPerLine;
};

class PcxLayout : public ::testing::TestWithParam<LayoutCase> {};

// 17 pixels: every plane line is padded to an even number of bytes.
TEST_P(PcxLayout, WrittenHeaderDescribesPlanesAndEvenLines)
{
    const LayoutCase c = GetParam();
    const Image picture =
        c.depth == 24 ? test::noisePicture(17, 5, 1) : test::palettePicture(17, 5, c.depth, 1);
    const Bytes file = encodePcx(picture);
    EXPECT_EQ(file[0], 0x0A);
    EXPECT_EQ(file[1], 5);
    EXPECT_EQ(file[2], 1);
    EXPECT_EQ(file[3], c.bits);
    EXPECT_EQ(file[65], c.planes);
    EXPECT_EQ(file[66] | (file[67] << 8), c.bytesPerLine);
    EXPECT_EQ(file[8], 16); // xmax
    EXPECT_EQ(file[10], 4); // ymax
    const bool endPalette = file.size() > 769 && file[file.size() - 769] == 0x0C;
    EXPECT_EQ(endPalette, c.depth == 8);
}

INSTANTIATE_TEST_SUITE_P(AllDepths, PcxLayout,
                         ::testing::Values(LayoutCase{1, 1, 1, 4}, LayoutCase{4, 1, 4, 4},
                                           LayoutCase{8, 8, 1, 18}, LayoutCase{24, 8, 3, 18}));

struct ReferenceCase {
    const char* file;
    int depth;
};

class PcxReference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(PcxReference, DecodesAsImageMagickDoes)
{
    const ReferenceCase c = GetParam();
    const Image expected = test::decodeNetpbm(test::readReferenceFile(std::string("pcx/") + c.file + ".ppm"));
    ASSERT_FALSE(expected.isNull());
    const Image picture = decodePcx(test::readReferenceFile(std::string("pcx/") + c.file));
    EXPECT_EQ(picture.depth(), c.depth);
    EXPECT_TRUE(test::sameColours(picture, expected));
}

INSTANTIATE_TEST_SUITE_P(ImageMagickFiles, PcxReference,
                         ::testing::Values(ReferenceCase{"rgb24.pcx", 24}, ReferenceCase{"pal8.pcx", 8},
                                           ReferenceCase{"runs8.pcx", 8}, ReferenceCase{"mono.pcx", 1}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

TEST(PcxCodec, OnePlaneOfFourBitsUsesTheHeaderPalette)
{
    PcxHeader h;
    h.bits = 4;
    h.width = 3;
    for (int i = 0; i < 16; ++i)
        h.palette.push_back(packRgb(i, 2 * i, 3 * i));
    const Image picture = decodePcx(pcxFile(h, {0x12, 0x30}));
    EXPECT_EQ(picture.depth(), 4);
    EXPECT_EQ(test::indicesOf(picture), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(picture.paletteEntry(3), packRgb(3, 6, 9));
}

TEST(PcxCodec, VersionThreeFourPlaneFileGetsTheEgaColours)
{
    PcxHeader h;
    h.version = 3;
    h.bits = 1;
    h.planes = 4;
    h.width = 2;
    // Index 9 then 6, one bit per plane: planes 0 and 3 hold the first, 1 and 2 the second.
    const Image picture = decodePcx(pcxFile(h, {0x80, 0, 0x40, 0, 0x40, 0, 0x80, 0}));
    EXPECT_EQ(picture.depth(), 4);
    EXPECT_EQ(test::indicesOf(picture), (std::vector<int>{9, 6}));
    EXPECT_EQ(test::coloursOf(picture), (std::vector<Rgb>{0x5555FF, 0xAA5500}));
}

TEST(PcxCodec, BlackAndWhiteFileWithAnEmptyHeaderPaletteIsBlackAndWhite)
{
    PcxHeader h;
    h.bits = 1;
    h.width = 3;
    const Image picture = decodePcx(pcxFile(h, {0xA0, 0}));
    EXPECT_EQ(test::coloursOf(picture), (std::vector<Rgb>{0xFFFFFF, 0x000000, 0xFFFFFF}));
}

TEST(PcxCodec, EightBitFileWithoutItsEndPaletteIsGrey)
{
    PcxHeader h;
    h.width = 2;
    const Image picture = decodePcx(pcxFile(h, {77, 0xC1, 200}));
    EXPECT_EQ(test::coloursOf(picture), (std::vector<Rgb>{0x4D4D4D, 0xC8C8C8}));
}

TEST(PcxCodec, RunsCarryOnIntoTheNextLineAndEmptyRunsAreNothing)
{
    PcxHeader h;
    h.width = 2;
    h.height = 3;
    const std::vector<Rgb> palette(256, packRgb(1, 1, 1));
    const Image picture = decodePcx(pcxFile(h, {0xC4, 5, 0xC0, 9, 1, 2}, palette));
    EXPECT_EQ(test::indicesOf(picture), (std::vector<int>{5, 5, 5, 5, 1, 2}));
}

TEST(PcxCodec, UncompressedEncodingIsRead)
{
    PcxHeader h;
    h.encoding = 0;
    h.width = 2;
    const Image picture = decodePcx(pcxFile(h, {0xC5, 0xD0}, std::vector<Rgb>(256, packRgb(0, 0, 9))));
    EXPECT_EQ(test::indicesOf(picture), (std::vector<int>{0xC5, 0xD0}));
}

struct DamagedHeader {
    const char* what;
    PcxHeader header;
    std::size_t dataBytes;
    unsigned firstByte = 0x0A;
};

class PcxDamagedHeader : public ::testing::TestWithParam<DamagedHeader> {};

TEST_P(PcxDamagedHeader, IsRefusedWithASentence)
{
    const DamagedHeader c = GetParam();
    Bytes file = pcxFile(c.header, Bytes(c.dataBytes, 0));
    file[0] = static_cast<std::uint8_t>(c.firstByte);
    const std::string message = errorOf(file);
    ASSERT_FALSE(message.empty()) << c.what;
    EXPECT_EQ(message.rfind("The PCX file ", 0), 0u) << message;
    EXPECT_EQ(message.back(), '.') << message;
}

PcxHeader header(int bits, int planes, int width, int height, int bytesPerLine, int encoding = 1)
{
    PcxHeader h;
    h.bits = bits;
    h.planes = planes;
    h.width = width;
    h.height = height;
    h.bytesPerLine = bytesPerLine;
    h.encoding = encoding;
    return h;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PcxDamagedHeader,
    ::testing::Values(DamagedHeader{"not a PCX file", header(8, 1, 2, 2, 2), 10, 0x0B},
                      DamagedHeader{"unknown encoding", header(8, 1, 2, 2, 2, 2), 10},
                      DamagedHeader{"two planes of eight bits", header(8, 2, 2, 2, 2), 10},
                      DamagedHeader{"five planes of one bit", header(1, 5, 2, 2, 2), 10},
                      DamagedHeader{"three bits", header(3, 1, 2, 2, 2), 10},
                      DamagedHeader{"right edge wrapping to 65535", header(8, 1, 0, 2, 2), 10},
                      DamagedHeader{"width above 32767", header(8, 1, 40000, 2, 40000), 10},
                      DamagedHeader{"lines shorter than the width", header(8, 1, 20, 2, 10), 10},
                      DamagedHeader{"raw lines beyond the file", header(8, 3, 20, 20, 20, 0), 100},
                      DamagedHeader{"runs beyond their data", header(8, 3, 30000, 30000, 30000), 100},
                      DamagedHeader{"data ending early", header(8, 1, 16, 16, 16), 100}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(PcxCodec, EmptyPictureCannotBeWritten)
{
    EXPECT_THROW(encodePcx(Image()), ImageError);
}

} // namespace
} // namespace vask
