#include "engine/codecs/palette_file.h"

#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vask {
namespace {

using test::ByteBuilder;

const std::vector<Rgb> kFive = {packRgb(0, 0, 0), packRgb(255, 255, 255), packRgb(255, 0, 0),
                                packRgb(12, 200, 99), packRgb(1, 2, 3)};

std::vector<Rgb> randomPalette(int count)
{
    const Image noise = test::noisePicture(count, 1, count);
    return std::vector<Rgb>(noise.rgbRow(0), noise.rgbRow(0) + count);
}

Bytes text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

TEST(PaletteFile, RiffRoundTripKeepsEveryColour)
{
    for (const int count : {1, 2, 16, 255, 256})
        EXPECT_EQ(decodePalette(encodePalette(randomPalette(count))), randomPalette(count)) << count;
    EXPECT_THROW(encodePalette({}), ImageError);
    EXPECT_THROW(encodePalette(randomPalette(257)), ImageError);
}

TEST(PaletteFile, WrittenFileIsARiffPaletteWithALogPalette)
{
    const Bytes file = encodePalette(kFive);
    ASSERT_EQ(file.size(), 24u + 4 * 5);
    // The RIFF length counts everything after the first eight bytes; version 0x300, then the count.
    const Bytes header =
        ByteBuilder().text("RIFF").u32(36).text("PAL data").u32(24).u16(0x300).u16(5).result();
    EXPECT_EQ(Bytes(file.begin(), file.begin() + 24), header);
    EXPECT_EQ(Bytes(file.begin() + 36, file.begin() + 40), (Bytes{12, 200, 99, 0}));
}

TEST(PaletteFile, RiffAndJascFilesAreRead)
{
    for (const char* name : {"pal/five.pal", "pal/five_jasc.pal", "pal/five_jasc_lf.pal"})
        EXPECT_EQ(decodePalette(test::readReferenceFile(name)), kFive) << name;
    // RIFF chunks before the data are skipped with their padding byte.
    ByteBuilder b;
    b.text("RIFF").u32(4 + 8 + 3 + 1 + 8 + 8).text("PAL ").text("note").u32(3).append({1, 2, 3, 0});
    b.text("data").u32(8).u16(0x300).u16(1).append({7, 8, 9, 0});
    EXPECT_EQ(decodePalette(b.result()), (std::vector<Rgb>{packRgb(7, 8, 9)}));
    // JASC tolerates blanks and a missing last newline.
    EXPECT_EQ(decodePalette(text("JASC-PAL\n0100\n 2 \n1 2 3\n  4\t5 6  ")),
              (std::vector<Rgb>{packRgb(1, 2, 3), packRgb(4, 5, 6)}));
}

TEST(PaletteFile, BadFilesAreRefusedWithASentence)
{
    const auto riff = [](unsigned count, std::size_t entries) {
        ByteBuilder b;
        b.text("RIFF").u32(static_cast<std::uint32_t>(16 + 4 * entries)).text("PAL ");
        b.text("data").u32(static_cast<std::uint32_t>(4 + 4 * entries)).u16(0x300).u16(count);
        return b.repeat(9, 4 * entries).result();
    };
    Bytes cut = riff(5, 5);
    cut.resize(cut.size() - 3);
    // clang-format off
    const std::pair<const char*, Bytes> cases[] = {
        {"neither kind", text("GIMP Palette\n")}, {"empty", Bytes{}},
        {"RIFF of another form", ByteBuilder().text("RIFF").u32(4).text("WAVE").result()},
        {"RIFF without data", ByteBuilder().text("RIFF").u32(4).text("PAL ").result()},
        {"RIFF of no colours", riff(0, 0)}, {"RIFF of 257 colours", riff(257, 257)},
        {"RIFF chunk shorter than its count", riff(5, 2)}, {"RIFF cut short", cut},
        {"JASC of an unknown version", text("JASC-PAL\n0200\n1\n1 2 3\n")},
        {"JASC of no colours", text("JASC-PAL\n0100\n0\n")}, {"JASC of 257 colours", text("JASC-PAL\n0100\n257\n")},
        {"JASC count not a number", text("JASC-PAL\n0100\nmany\n1 2 3\n")},
        {"JASC colour above 255", text("JASC-PAL\n0100\n1\n1 256 3\n")},
        {"JASC colour negative", text("JASC-PAL\n0100\n1\n1 -2 3\n")},
        {"JASC colour of two numbers", text("JASC-PAL\n0100\n1\n1 2\n")},
        {"JASC with fewer lines than colours", text("JASC-PAL\n0100\n3\n1 2 3\n4 5 6\n")}};
    // clang-format on
    for (const auto& [what, file] : cases)
        test::expectSentence(test::errorOf([&] { decodePalette(file); }), "The palette file ", what);
}

TEST(PaletteFile, FilesAreWrittenAndReadBackThroughTheDisk)
{
    const std::string folder = test::makeTemporaryFolder();
    ASSERT_FALSE(folder.empty());
    writePaletteFile(folder + "/colours.pal", kFive);
    EXPECT_EQ(readPaletteFile(folder + "/colours.pal"), kFive);
    std::ofstream(folder + "/broken.pal", std::ios::binary) << "JASC-PAL\n0100\n9\n";
    const std::string message = test::errorOf([&] { readPaletteFile(folder + "/broken.pal"); });
    EXPECT_NE(message.find("broken.pal"), std::string::npos) << message;
    EXPECT_THROW(readPaletteFile(folder + "/missing.pal"), ImageError);
    test::removeFolder(folder);
}

} // namespace
} // namespace vask
