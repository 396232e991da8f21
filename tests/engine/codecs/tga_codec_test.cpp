#include "engine/codecs/tga_codec.h"

#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

namespace vask {
namespace {

using test::ByteBuilder;

struct TgaHeader {
    int type = 2;
    int width = 1;
    int height = 1;
    int bits = 24;
    int descriptor = 0;
    int mapFirst = 0;
    int mapLength = 0;
    int mapEntryBits = 0;
    std::string id;
};

Bytes tgaFile(const TgaHeader& h, const Bytes& map, const Bytes& pixels)
{
    ByteBuilder b;
    b.u8(h.id.size()).u8(h.mapLength > 0 ? 1 : 0).u8(h.type);
    b.u16(h.mapFirst).u16(h.mapLength).u8(h.mapEntryBits);
    b.u16(0).u16(0).u16(h.width).u16(h.height).u8(h.bits).u8(h.descriptor).text(h.id);
    Bytes file = b.result();
    file.insert(file.end(), map.begin(), map.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

std::string errorOf(const Bytes& file)
{
    try {
        decodeTga(file);
    } catch (const ImageError& e) {
        return e.what();
    }
    return {};
}

unsigned widened5(unsigned v)
{
    return static_cast<unsigned>(std::lround(v * 255.0 / 31));
}

using RoundTripCase = std::tuple<int, std::pair<int, int>>;

class TgaRoundTrip : public ::testing::TestWithParam<RoundTripCase> {};

// Palette pictures come back as 8-bit pictures (the file is 8-bit colour-mapped) with the
// same indices and colours.
TEST_P(TgaRoundTrip, KeepsColoursAndIndices)
{
    const auto [depth, size] = GetParam();
    const Image picture = depth == 24 ? test::noisePicture(size.first, size.second, 3)
                                      : test::palettePicture(size.first, size.second, depth, 3);
    const Image back = decodeTga(encodeTga(picture));
    ASSERT_EQ(back.depth(), depth == 24 ? 24 : 8);
    EXPECT_TRUE(test::sameColours(back, picture));
    if (depth < 24) {
        EXPECT_EQ(test::indicesOf(back), test::indicesOf(picture));
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepthsOddWidths, TgaRoundTrip,
                         ::testing::Combine(::testing::Values(1, 4, 8, 24),
                                            ::testing::Values(std::pair{1, 1}, std::pair{3, 2},
                                                              std::pair{17, 5}, std::pair{1001, 3})));

TEST(TgaCodec, PalettePicturesAreWrittenColourMappedWithTheirOwnEntries)
{
    const Bytes file = encodeTga(test::palettePicture(5, 3, 4, 1));
    EXPECT_EQ(file[1], 1);  // colour map present
    EXPECT_EQ(file[2], 1);  // colour-mapped, uncompressed
    EXPECT_EQ(file[5], 16); // 16 entries
    EXPECT_EQ(file[7], 24); // of 24 bits
    EXPECT_EQ(file[16], 8); // 8-bit indices
    const Bytes trueColour = encodeTga(test::noisePicture(5, 3, 1));
    EXPECT_EQ(trueColour[2], 2);
    EXPECT_EQ(trueColour[16], 24);
}

struct ReferenceCase {
    const char* file;
    int depth;
};

class TgaReference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(TgaReference, DecodesAsImageMagickDoes)
{
    const ReferenceCase c = GetParam();
    const Image expected = test::decodeNetpbm(test::readReferenceFile(std::string("tga/") + c.file + ".ppm"));
    ASSERT_FALSE(expected.isNull());
    const Image picture = decodeTga(test::readReferenceFile(std::string("tga/") + c.file));
    EXPECT_EQ(picture.depth(), c.depth);
    EXPECT_TRUE(test::sameColours(picture, expected));
}

INSTANTIATE_TEST_SUITE_P(ImageMagickFiles, TgaReference,
                         ::testing::Values(ReferenceCase{"rgb24.tga", 24}, ReferenceCase{"rgb24_top.tga", 24},
                                           ReferenceCase{"rgb24_rle.tga", 24}, ReferenceCase{"pal8.tga", 8},
                                           ReferenceCase{"pal8_rle.tga", 8}, ReferenceCase{"grey.tga", 8},
                                           ReferenceCase{"grey_rle.tga", 8}, ReferenceCase{"rgba32.tga", 24},
                                           ReferenceCase{"rgba32_rle.tga", 24}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             return name.substr(0, name.find('.'));
                         });

struct OrientationCase {
    int descriptor;
    std::vector<Rgb> expected; // top row, then bottom row
};

class TgaOrientation : public ::testing::TestWithParam<OrientationCase> {};

// The file stores A B then C D; the descriptor says where that first row and pixel belong.
TEST_P(TgaOrientation, PlacesTheFirstStoredPixelByTheDescriptor)
{
    const Bytes pixels = {0x0A, 0, 0, 0x0B, 0, 0, 0x0C, 0, 0, 0x0D, 0, 0};
    for (const bool runLength : {false, true}) {
        TgaHeader h;
        h.width = 2;
        h.height = 2;
        h.descriptor = GetParam().descriptor;
        h.type = runLength ? 10 : 2;
        const Bytes data = runLength ? ByteBuilder().u8(0x03).result() : Bytes{};
        Bytes body = data;
        body.insert(body.end(), pixels.begin(), pixels.end());
        EXPECT_EQ(test::coloursOf(decodeTga(tgaFile(h, {}, body))), GetParam().expected) << runLength;
    }
}

INSTANTIATE_TEST_SUITE_P(FourCorners, TgaOrientation,
                         ::testing::Values(OrientationCase{0x00, {0x0C, 0x0D, 0x0A, 0x0B}},
                                           OrientationCase{0x20, {0x0A, 0x0B, 0x0C, 0x0D}},
                                           OrientationCase{0x10, {0x0D, 0x0C, 0x0B, 0x0A}},
                                           OrientationCase{0x30, {0x0B, 0x0A, 0x0D, 0x0C}}));

TEST(TgaCodec, SixteenBitTrueColourIgnoresTheAttributeBit)
{
    TgaHeader h;
    h.width = 4;
    h.bits = 16;
    const Bytes pixels = ByteBuilder().u16(0x7C00).u16(0x83E0).u16(0x001F).u16(0x4210).result();
    const unsigned half = widened5(16);
    EXPECT_EQ(test::coloursOf(decodeTga(tgaFile(h, {}, pixels))),
              (std::vector<Rgb>{0xFF0000, 0x00FF00, 0x0000FF, (half << 16) | (half << 8) | half}));
}

TEST(TgaCodec, ColourMapStartsAtItsFirstEntryAndOtherIndicesAreBlack)
{
    TgaHeader h;
    h.type = 1;
    h.width = 5;
    h.bits = 8;
    h.mapFirst = 2;
    h.mapLength = 3;
    h.mapEntryBits = 16;
    h.id = "hello";
    const Bytes map = ByteBuilder().u16(0x7C00).u16(0x03E0).u16(0x001F).result();
    const Image picture = decodeTga(tgaFile(h, map, {2, 3, 4, 0, 5}));
    EXPECT_EQ(picture.depth(), 8);
    EXPECT_EQ(test::coloursOf(picture), (std::vector<Rgb>{0xFF0000, 0x00FF00, 0x0000FF, 0, 0}));
}

TEST(TgaCodec, ThirtyTwoBitColourMapEntriesAndRunLengthIndices)
{
    TgaHeader h;
    h.type = 9;
    h.width = 3;
    h.height = 2;
    h.bits = 8;
    h.mapLength = 2;
    h.mapEntryBits = 32;
    h.descriptor = 0x20;
    const Bytes map = {10, 20, 30, 0, 40, 50, 60, 255};
    // A run of four crosses from the first row into the second; two raw indices finish it.
    const Bytes data = {0x83, 1, 0x01, 0, 1};
    EXPECT_EQ(test::indicesOf(decodeTga(tgaFile(h, map, data))), (std::vector<int>{1, 1, 1, 1, 0, 1}));
    EXPECT_EQ(decodeTga(tgaFile(h, map, data)).paletteEntry(1), packRgb(60, 50, 40));
}

TEST(TgaCodec, GreyWithAlphaKeepsTheGrey)
{
    TgaHeader h;
    h.type = 3;
    h.width = 2;
    h.bits = 16;
    const Image picture = decodeTga(tgaFile(h, {}, {100, 255, 7, 0}));
    EXPECT_EQ(picture.depth(), 8);
    EXPECT_EQ(test::coloursOf(picture), (std::vector<Rgb>{0x646464, 0x070707}));
}

struct DamagedHeader {
    const char* what;
    TgaHeader header;
    std::size_t dataBytes;
};

class TgaDamagedHeader : public ::testing::TestWithParam<DamagedHeader> {};

TEST_P(TgaDamagedHeader, IsRefusedWithASentence)
{
    const DamagedHeader c = GetParam();
    const Bytes map(static_cast<std::size_t>(c.header.mapLength) * ((c.header.mapEntryBits + 7) / 8), 0);
    const std::string message = errorOf(tgaFile(c.header, map, Bytes(c.dataBytes, 0)));
    ASSERT_FALSE(message.empty()) << c.what;
    EXPECT_EQ(message.rfind("The TGA file ", 0), 0u) << message;
    EXPECT_EQ(message.back(), '.') << message;
}

TgaHeader header(int type, int width, int height, int bits, int mapLength = 0, int mapEntryBits = 0)
{
    TgaHeader h;
    h.type = type;
    h.width = width;
    h.height = height;
    h.bits = bits;
    h.mapLength = mapLength;
    h.mapEntryBits = mapEntryBits;
    return h;
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TgaDamagedHeader,
    ::testing::Values(DamagedHeader{"zero width", header(2, 0, 2, 24), 100},
                      DamagedHeader{"zero height", header(2, 2, 0, 24), 100},
                      DamagedHeader{"width above 32767", header(2, 40000, 1, 24), 100},
                      DamagedHeader{"no picture", header(0, 2, 2, 24), 100},
                      DamagedHeader{"Huffman type", header(32, 2, 2, 8), 100},
                      DamagedHeader{"seventeen bits", header(2, 2, 2, 17), 100},
                      DamagedHeader{"twelve bit grey", header(3, 2, 2, 12), 100},
                      DamagedHeader{"colour-mapped without a map", header(1, 2, 2, 8), 100},
                      DamagedHeader{"sixteen-bit indices", header(1, 2, 2, 16, 2, 24), 100},
                      DamagedHeader{"seven-bit map entries", header(1, 2, 2, 8, 2, 7), 100},
                      DamagedHeader{"rows beyond the file", header(2, 20, 20, 24), 100},
                      DamagedHeader{"run lengths beyond their data", header(10, 30000, 30000, 24), 100}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(TgaCodec, RunLengthDataEndingEarlyIsRefused)
{
    TgaHeader h;
    h.type = 10;
    h.width = 4;
    h.height = 4;
    const std::string message = errorOf(tgaFile(h, {}, {0x83, 1, 2, 3, 0x83, 1, 2}));
    EXPECT_NE(message.find("ends before its last row"), std::string::npos) << message;
}

TEST(TgaCodec, EmptyPictureCannotBeWritten)
{
    EXPECT_THROW(encodeTga(Image()), ImageError);
}

} // namespace
} // namespace vask
