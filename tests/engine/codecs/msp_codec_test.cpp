#include "engine/codecs/msp_codec.h"

#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

using test::ByteBuilder;

Bytes mspFile(int version, int width, int height, const std::vector<Bytes>& rows)
{
    const unsigned key1 = version == 1 ? 0x6144 : 0x694C; // "Da" / "Li"
    const unsigned key2 = version == 1 ? 0x4D6E : 0x536E; // "nM" / "nS"
    const std::vector<unsigned> words = {key1, key2, unsigned(width), unsigned(height), 1, 1, 1, 1, 0, 0,
                                         0,    0};
    unsigned check = 0;
    ByteBuilder b;
    for (const unsigned w : words) {
        b.u16(w);
        check ^= w;
    }
    b.u16(check).u16(0).u16(0).u16(0);
    if (version == 2)
        for (const Bytes& row : rows)
            b.u16(row.size());
    Bytes file = b.result();
    for (const Bytes& row : rows)
        file.insert(file.end(), row.begin(), row.end());
    return file;
}

std::string errorOf(const Bytes& file)
{
    try {
        decodeMsp(file);
    } catch (const ImageError& e) {
        return e.what();
    }
    return {};
}

// Ten pixels a row, two bytes; bit 1 is white.
const std::vector<int> kExpected = {
    1, 1, 1, 1, 0, 0, 0, 0, 0, 1, //
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, //
    1, 0, 1, 0, 1, 0, 1, 0, 1, 1,
};

TEST(MspCodec, VersionOneRowsAreRawWithWhiteForOne)
{
    const Image picture = decodeMsp(mspFile(1, 10, 3, {{0xF0, 0x40}, {0x00, 0x00}, {0xAA, 0xC0}}));
    ASSERT_EQ(picture.depth(), 1);
    EXPECT_EQ(test::indicesOf(picture), kExpected);
    EXPECT_EQ(picture.paletteEntry(0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(picture.paletteEntry(1) & 0xFFFFFF, 0xFFFFFFu);
}

TEST(MspCodec, VersionTwoRowsUseTheRowMapRunsAndLiterals)
{
    const Image picture =
        decodeMsp(mspFile(2, 10, 3, {{2, 0xF0, 0x40}, {0, 2, 0x00}, {1, 0xAA, 0, 1, 0xC0}}));
    ASSERT_EQ(picture.depth(), 1);
    EXPECT_EQ(test::indicesOf(picture), kExpected);
}

TEST(MspCodec, VersionTwoEmptyShortAndOverlongRowsStayInsideTheRow)
{
    // An empty row is white; a run past the row's end is cut; a row that stops short is white
    // to its end.
    const Image picture = decodeMsp(mspFile(2, 10, 3, {{}, {0, 200, 0x00}, {1, 0x00}}));
    const std::vector<int> expected = {
        1, 1, 1, 1, 1, 1, 1, 1, 1, 1, //
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, //
        0, 0, 0, 0, 0, 0, 0, 0, 1, 1,
    };
    EXPECT_EQ(test::indicesOf(picture), expected);
}

TEST(MspCodec, ReferenceFilesOfBothVersionsShowTheSameFrame)
{
    const Image expected = test::decodeNetpbm(test::readReferenceFile("msp/frame.pbm"));
    ASSERT_FALSE(expected.isNull());
    EXPECT_TRUE(test::sameColours(decodeMsp(test::readReferenceFile("msp/frame_v1.msp")), expected));
    EXPECT_TRUE(test::sameColours(decodeMsp(test::readReferenceFile("msp/frame_v2.msp")), expected));
}

TEST(MspCodec, DamagedFilesAreRefusedWithASentence)
{
    Bytes noKey = mspFile(1, 10, 3, {{0, 0}, {0, 0}, {0, 0}});
    noKey[0] = 'X';
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"no key", noKey},
        {"zero width", mspFile(1, 0, 3, {{}, {}, {}})},
        {"width above 32767", mspFile(1, 40000, 1, {Bytes(5000, 0)})},
        {"raw rows cut short", mspFile(1, 10, 3, {{0, 0}, {0, 0}, {0}})},
        {"row map cut short",
         [] {
             Bytes file = mspFile(2, 10, 3, {{}, {}, {}});
             file.pop_back();
             return file;
         }()},
        {"row beyond the file",
         [] {
             Bytes file = mspFile(2, 10, 1, {{2, 0xF0, 0x40}});
             file.pop_back();
             return file;
         }()},
    };
    for (const auto& [what, file] : cases) {
        const std::string message = errorOf(file);
        ASSERT_FALSE(message.empty()) << what;
        EXPECT_EQ(message.rfind("The MSP file ", 0), 0u) << message;
        EXPECT_EQ(message.back(), '.') << message;
    }
    EXPECT_NE(errorOf(noKey).find("Microsoft Paint"), std::string::npos);
}

TEST(MspCodec, HugeBlankVersionTwoPictureWithATinyFileIsRefusedBeforeAllocating)
{
    const std::vector<Bytes> rows(30000);
    EXPECT_NE(errorOf(mspFile(2, 30000, 30000, rows)).find("damaged"), std::string::npos);
}

} // namespace
} // namespace vask
