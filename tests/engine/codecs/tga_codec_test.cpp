#include "engine/codecs/tga_codec.h"

#include "tests/engine/codecs/reference_files.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vask {
namespace {

using test::ByteBuilder;

struct TgaHeader {
    int type = 2, width = 1, height = 1, bits = 24, mapLength = 0, mapEntryBits = 0, descriptor = 0,
        mapFirst = 0;
    std::string id = {};
};

Bytes tgaFile(const TgaHeader& h, const Bytes& map, const Bytes& pixels)
{
    ByteBuilder b;
    b.u8(h.id.size()).u8(h.mapLength > 0 ? 1 : 0).u8(h.type);
    b.u16(h.mapFirst).u16(h.mapLength).u8(h.mapEntryBits);
    b.u16(0).u16(0).u16(h.width).u16(h.height).u8(h.bits).u8(h.descriptor).text(h.id);
    return b.append(map).append(pixels).result();
}

// The file stores A B then C D; the descriptor says where that first row and pixel belong.
TEST(TgaCodec, TheDescriptorPlacesTheFirstStoredPixelInAnyCorner)
{
    // clang-format off
    const std::pair<int, std::vector<Rgb>> cases[] = {{0x00, {0x0C, 0x0D, 0x0A, 0x0B}}, {0x20, {0x0A, 0x0B, 0x0C, 0x0D}},
                                                      {0x10, {0x0D, 0x0C, 0x0B, 0x0A}}, {0x30, {0x0B, 0x0A, 0x0D, 0x0C}}};
    // clang-format on
    const Bytes pixels = {0x0A, 0, 0, 0x0B, 0, 0, 0x0C, 0, 0, 0x0D, 0, 0};
    for (const auto& [descriptor, expected] : cases)
        for (const bool runLength : {false, true}) {
            const TgaHeader h{.type = runLength ? 10 : 2, .width = 2, .height = 2, .descriptor = descriptor};
            const Bytes body =
                ByteBuilder().append(runLength ? Bytes{0x03} : Bytes{}).append(pixels).result();
            EXPECT_EQ(test::coloursOf(decodeTga(tgaFile(h, {}, body))), expected) << descriptor << runLength;
        }
}

TEST(TgaCodec, HandMadeFilesOfEveryPixelLayoutAreRead)
{
    const auto expect = [](const char* what, const Bytes& file, int depth, const std::vector<Rgb>& colours) {
        const Image picture = decodeTga(file);
        EXPECT_EQ(picture.depth(), depth) << what;
        EXPECT_EQ(test::coloursOf(picture), colours) << what;
    };
    const auto h5 = static_cast<unsigned>(std::lround(16 * 255.0 / 31));
    expect("16-bit true colour ignores the attribute bit",
           tgaFile({.width = 4, .bits = 16}, {},
                   ByteBuilder().u16(0x7C00).u16(0x83E0).u16(0x001F).u16(0x4210).result()),
           24, {0xFF0000, 0x00FF00, 0x0000FF, (h5 << 16) | (h5 << 8) | h5});
    TgaHeader mapped{.type = 1, .width = 5, .bits = 8, .mapLength = 3, .mapEntryBits = 16};
    mapped.mapFirst = 2, mapped.id = "hello";
    expect("the colour map starts at its first entry, other indices are black",
           tgaFile(mapped, ByteBuilder().u16(0x7C00).u16(0x03E0).u16(0x001F).result(), {2, 3, 4, 0, 5}), 8,
           {0xFF0000, 0x00FF00, 0x0000FF, 0, 0});
    // A run of four crosses from the first row into the second; two raw indices finish it.
    TgaHeader h{.type = 9, .width = 3, .height = 2, .bits = 8, .mapLength = 2};
    h.mapEntryBits = 32, h.descriptor = 0x20;
    expect("32-bit map entries and run-length indices",
           tgaFile(h, {10, 20, 30, 0, 40, 50, 60, 255}, {0x83, 1, 0x01, 0, 1}), 8,
           {0x3C3228, 0x3C3228, 0x3C3228, 0x3C3228, 0x1E140A, 0x3C3228});
    expect("grey with alpha keeps the grey",
           tgaFile({.type = 3, .width = 2, .bits = 16}, {}, {100, 255, 7, 0}), 8, {0x646464, 0x070707});
}

TEST(TgaCodec, DamagedHeadersAreRefusedWithASentence)
{
    // clang-format off
    const std::pair<const char*, TgaHeader> cases[] = {
        {"zero width", {.width = 0, .height = 2}}, {"zero height", {.width = 2, .height = 0}},
        {"width above 32767", {.width = 40000}}, {"no picture", {.type = 0, .width = 2, .height = 2}},
        {"Huffman type", {.type = 32, .width = 2, .height = 2, .bits = 8}},
        {"seventeen bits", {.width = 2, .height = 2, .bits = 17}},
        {"twelve bit grey", {.type = 3, .width = 2, .height = 2, .bits = 12}},
        {"colour-mapped without a map", {.type = 1, .width = 2, .height = 2, .bits = 8}},
        {"sixteen-bit indices", {.type = 1, .width = 2, .height = 2, .bits = 16, .mapLength = 2, .mapEntryBits = 24}},
        {"seven-bit map entries", {.type = 1, .width = 2, .height = 2, .bits = 8, .mapLength = 2, .mapEntryBits = 7}},
        {"rows beyond the file", {.width = 20, .height = 20}},
        {"run lengths beyond their data", {.type = 10, .width = 30000, .height = 30000}}};
    // clang-format on
    for (const auto& [what, h] : cases) {
        const Bytes file =
            tgaFile(h, Bytes(std::size_t(h.mapLength) * ((h.mapEntryBits + 7) / 8)), Bytes(100));
        test::expectSentence(test::errorOf([&] { decodeTga(file); }), "The TGA file ", what);
    }
    const Bytes early = tgaFile({.type = 10, .width = 4, .height = 4}, {}, {0x83, 1, 2, 3, 0x83, 1, 2});
    EXPECT_NE(test::errorOf([&] { decodeTga(early); }).find("ends before its last row"), std::string::npos);
}

} // namespace
} // namespace vask
