#include "engine/codecs/msp_codec.h"

#include "tests/engine/codecs/reference_files.h"

#include <gtest/gtest.h>

namespace vask {
namespace {

// Keys "DanM" (version 1) or "LinS" (version 2), size, pixel ratio and printer fields, a checksum
// (the XOR of the words before it), then the row map (version 2) and the rows.
Bytes mspFile(int version, unsigned width, unsigned height, const std::vector<Bytes>& rows)
{
    const unsigned key1 = version == 1 ? 0x6144 : 0x694C, key2 = version == 1 ? 0x4D6E : 0x536E;
    test::ByteBuilder b;
    b.u16(key1).u16(key2).u16(width).u16(height).u16(1).u16(1).u16(1).u16(1).repeat(0, 8);
    b.u16(key1 ^ key2 ^ width ^ height).repeat(0, 6);
    if (version == 2)
        for (const Bytes& row : rows)
            b.u16(row.size());
    for (const Bytes& row : rows)
        b.append(row);
    return b.result();
}

// Version 1 rows are raw; version 2 rows are runs (0, count, byte) and literals (count, bytes).
TEST(MspCodec, BothVersionsGiveTenPixelRowsWithWhiteForOne)
{
    for (const Bytes& file : {mspFile(1, 10, 3, {{0xF0, 0x40}, {0x00, 0x00}, {0xAA, 0xC0}}),
                              mspFile(2, 10, 3, {{2, 0xF0, 0x40}, {0, 2, 0x00}, {1, 0xAA, 0, 1, 0xC0}})}) {
        const Image picture = decodeMsp(file);
        ASSERT_EQ(picture.depth(), 1);
        EXPECT_EQ(test::indicesOf(picture), (std::vector<int>{1, 1, 1, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, //
                                                              0, 0, 0, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 1}));
        EXPECT_EQ(test::coloursOf(picture)[0], 0xFFFFFFu);
        EXPECT_EQ(test::coloursOf(picture)[4], 0x000000u);
    }
}

// An empty row is white; a run past the row's end is cut; a row that stops short is white to its end.
TEST(MspCodec, VersionTwoEmptyShortAndOverlongRowsStayInsideTheRow)
{
    const Image picture = decodeMsp(mspFile(2, 10, 3, {{}, {0, 200, 0x00}, {1, 0x00}}));
    EXPECT_EQ(test::indicesOf(picture), (std::vector<int>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0,
                                                          0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
}

TEST(MspCodec, DamagedFilesAreRefusedWithASentence)
{
    Bytes noKey = mspFile(1, 10, 3, {{0, 0}, {0, 0}, {0, 0}});
    noKey[0] = 'X';
    Bytes mapCut = mspFile(2, 10, 3, {{}, {}, {}}), rowCut = mspFile(2, 10, 1, {{2, 0xF0, 0x40}});
    mapCut.pop_back(), rowCut.pop_back();
    const std::pair<const char*, Bytes> cases[] = {
        {"no key", noKey},
        {"zero width", mspFile(1, 0, 3, {{}, {}, {}})},
        {"width above 32767", mspFile(1, 40000, 1, {Bytes(5000, 0)})},
        {"raw rows cut short", mspFile(1, 10, 3, {{0, 0}, {0, 0}, {0}})},
        {"row map cut short", mapCut},
        {"row beyond the file", rowCut},
    };
    for (const auto& [what, file] : cases)
        test::expectSentence(test::errorOf([&] { decodeMsp(file); }), "The MSP file ", what);
    EXPECT_NE(test::errorOf([&] { decodeMsp(noKey); }).find("Microsoft Paint"), std::string::npos);
    // A huge blank picture in a tiny file is refused before the pixels are allocated.
    const Bytes huge = mspFile(2, 30000, 30000, std::vector<Bytes>(30000));
    EXPECT_NE(test::errorOf([&] { decodeMsp(huge); }).find("damaged"), std::string::npos);
}

} // namespace
} // namespace vask
