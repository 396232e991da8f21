#include "engine/codecs/pcx_codec.h"

#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <set>

namespace vask {
namespace {

using test::ByteBuilder;

struct PcxHeader {
    int bits = 8, planes = 1, width = 1, height = 1, bytesPerLine = 2, encoding = 1, version = 5;
};

Bytes pcxFile(const PcxHeader& h, const Bytes& data, const std::vector<Rgb>& endPalette = {},
              const std::vector<Rgb>& headerPalette = {})
{
    ByteBuilder b;
    b.u8(0x0A).u8(h.version).u8(h.encoding).u8(h.bits);
    b.u16(0).u16(0).u16(h.width - 1).u16(h.height - 1).u16(72).u16(72);
    const auto colours = [&](const std::vector<Rgb>& palette, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            const Rgb c = i < palette.size() ? palette[i] : 0;
            b.u8(redOf(c)).u8(greenOf(c)).u8(blueOf(c));
        }
    };
    colours(headerPalette, 16);
    b.u8(0).u8(h.planes).u16(h.bytesPerLine).u16(1).repeat(0, 58).append(data);
    if (!endPalette.empty()) {
        b.u8(0x0C);
        colours(endPalette, 256);
    }
    return b.result();
}

TEST(PcxCodec, RunsOfEveryLengthAndHighBytesSurviveARoundTrip)
{
    // First row: runs of 1 to 200 bytes, many of them 0xC0 and above, which must be written as
    // runs; second row: random bytes.
    Image picture = test::palettePicture(2000, 2, 8, 1);
    for (int x = 0, run = 1; x < 2000; ++run)
        for (int i = 0; i < run % 200 + 1 && x < 2000; ++i, ++x)
            picture.row(0)[x] = static_cast<std::uint8_t>(0xBE + run);
    EXPECT_EQ(test::indicesOf(decodePcx(encodePcx(picture))), test::indicesOf(picture));
}

TEST(PcxCodec, HandMadeFilesOfEveryLayoutAreRead)
{
    const auto expect = [](const char* what, const Bytes& file, int depth, const std::vector<int>& indices,
                           const std::vector<Rgb>& colours) {
        const Image picture = decodePcx(file);
        EXPECT_EQ(picture.depth(), depth) << what;
        EXPECT_EQ(test::indicesOf(picture), indices) << what;
        EXPECT_EQ(test::coloursOf(picture), colours) << what;
    };
    std::vector<Rgb> ramp;
    for (int i = 0; i < 16; ++i)
        ramp.push_back(packRgb(i, 2 * i, 3 * i));
    expect("one plane of four bits uses the header palette",
           pcxFile({.bits = 4, .width = 3}, {0x12, 0x30}, {}, ramp), 4, {1, 2, 3},
           {0x010203, 0x020406, 0x030609});
    // Index 9 then 6, one bit per plane: planes 0 and 3 hold the first, 1 and 2 the second.
    expect("version 3 four planes get the EGA colours",
           pcxFile({.bits = 1, .planes = 4, .width = 2, .version = 3}, {0x80, 0, 0x40, 0, 0x40, 0, 0x80, 0}),
           4, {9, 6}, {0x5555FF, 0xAA5500});
    expect("black and white with an empty header palette", pcxFile({.bits = 1, .width = 3}, {0xA0, 0}), 1,
           {1, 0, 1}, {0xFFFFFF, 0x000000, 0xFFFFFF});
    expect("eight bits without the end palette are grey", pcxFile({.width = 2}, {77, 0xC1, 200}), 8,
           {77, 200}, {0x4D4D4D, 0xC8C8C8});
    const std::vector<Rgb> ones(256, packRgb(1, 1, 1));
    expect("runs carry on into the next line and empty runs are nothing",
           pcxFile({.width = 2, .height = 3}, {0xC4, 5, 0xC0, 9, 1, 2}, ones), 8, {5, 5, 5, 5, 1, 2},
           std::vector<Rgb>(6, 0x010101));
    expect("uncompressed encoding", pcxFile({.width = 2, .encoding = 0}, {0xC5, 0xD0}, ones), 8, {0xC5, 0xD0},
           {0x010101, 0x010101});
}

TEST(PcxCodec, DamagedHeadersAreRefusedWithASentence)
{
    // clang-format off
    const std::pair<const char*, PcxHeader> cases[] = {
        {"not a PCX file", {.width = 2, .height = 2}}, {"unknown encoding", {.width = 2, .height = 2, .encoding = 2}},
        {"two planes of eight bits", {.planes = 2, .width = 2, .height = 2}},
        {"five planes of one bit", {.bits = 1, .planes = 5, .width = 2, .height = 2}},
        {"three bits", {.bits = 3, .width = 2, .height = 2}}, {"right edge wrapping to 65535", {.width = 0, .height = 2}},
        {"width above 32767", {.width = 40000, .height = 2, .bytesPerLine = 40000}},
        {"lines shorter than the width", {.width = 20, .height = 2, .bytesPerLine = 10}},
        {"raw lines beyond the file", {.planes = 3, .width = 20, .height = 20, .bytesPerLine = 20, .encoding = 0}},
        {"runs beyond their data", {.planes = 3, .width = 30000, .height = 30000, .bytesPerLine = 30000}},
        {"data ending early", {.width = 16, .height = 16, .bytesPerLine = 16}}};
    // clang-format on
    for (const auto& [what, h] : cases) {
        Bytes file = pcxFile(h, Bytes(100));
        file[0] = what == cases[0].first ? 0x0B : 0x0A;
        test::expectSentence(test::errorOf([&] { decodePcx(file); }), "The PCX file ", what);
    }
}

Image pictureOfDepth(int depth)
{
    return depth == 24 ? test::gradientPicture(37, 9) : test::palettePicture(37, 9, depth, 11);
}

// Raising the depth keeps every colour; lowering it leaves at most as many as the file holds.
TEST(PcxWriteDepth, FileHasTheAskedDepth)
{
    const int cases[][3] = {{24, 0, 24}, {8, 0, 8},   {24, 8, 8},  {24, 4, 4},   {24, 1, 1},
                            {8, 4, 4},   {4, 1, 1},   {1, 4, 4},   {1, 8, 8},    {4, 24, 24},
                            {8, 24, 24}, {8, 16, 24}, {8, 32, 24}, {24, 16, 24}, {24, 32, 24}};
    for (const auto& [pictureDepth, writeDepth, fileDepth] : cases) {
        SCOPED_TRACE(std::to_string(pictureDepth) + " written as " + std::to_string(writeDepth));
        const Image picture = pictureOfDepth(pictureDepth);
        const Image back = decodePcx(encodePcx(picture, writeDepth));
        ASSERT_EQ(back.depth(), fileDepth);
        const std::vector<Rgb> colours = test::coloursOf(back);
        if (fileDepth >= pictureDepth)
            EXPECT_TRUE(test::sameColours(back, picture));
        else
            EXPECT_LE(std::set<Rgb>(colours.begin(), colours.end()).size(), std::size_t(1) << fileDepth);
    }
}

TEST(PcxWriteDepth, PictureWithFewEnoughColoursIsReducedExactly)
{
    // 256 colours at 24 bits written as 8 bits, then 16 colours written as 4 bits.
    const Image picture = test::gradientPicture(16, 16);
    EXPECT_TRUE(test::sameColours(decodePcx(encodePcx(picture, 8)), picture));
    Image sixteen(9, 5, 24);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            sixteen.rgbRow(y)[x] = packRgb(((x + y) % 16) * 17, 40, 200);
    const Image four = decodePcx(encodePcx(sixteen, 4));
    EXPECT_EQ(four.depth(), 4);
    EXPECT_TRUE(test::sameColours(four, sixteen));
    const Image gradient = test::gradientPicture(64, 48);
    EXPECT_GT(test::psnr(decodePcx(encodePcx(gradient, 4)), gradient), 15.0); // still recognisable
}

TEST(PcxWriteDepth, DepthsPcxCannotHoldAreRefusedWithASentence)
{
    for (const int depth : {2, 3, 12, -1})
        EXPECT_EQ(test::errorOf([&] { encodePcx(pictureOfDepth(8), depth); }),
                  "PCX files can be written with 1, 4, 8 or 24 bits per pixel, not " + std::to_string(depth) +
                      ".");
}

} // namespace
} // namespace vask
