#include "engine/codecs/palette_file.h"

#include "engine/image/image_error.h"
#include "tests/engine/codecs/reference_files.h"
#include "tests/support/test_pictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace vask {
namespace {

using test::ByteBuilder;

const std::vector<Rgb> kFive = {packRgb(0, 0, 0), packRgb(255, 255, 255), packRgb(255, 0, 0),
                                packRgb(12, 200, 99), packRgb(1, 2, 3)};

std::vector<Rgb> randomPalette(int count)
{
    std::mt19937 random(static_cast<unsigned>(count));
    std::vector<Rgb> palette(count);
    for (auto& c : palette)
        c = random() | 0xFF000000u;
    return palette;
}

std::string errorOf(const Bytes& file)
{
    try {
        decodePalette(file);
    } catch (const ImageError& e) {
        return e.what();
    }
    return {};
}

Bytes text(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

TEST(PaletteFile, RiffRoundTripKeepsEveryColour)
{
    for (const int count : {1, 2, 16, 255, 256}) {
        const std::vector<Rgb> palette = randomPalette(count);
        EXPECT_EQ(decodePalette(encodePalette(palette)), palette) << count;
    }
}

TEST(PaletteFile, WrittenFileIsARiffPaletteWithALogPalette)
{
    const Bytes file = encodePalette(kFive);
    ASSERT_EQ(file.size(), 24u + 4 * 5);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "RIFF");
    EXPECT_EQ(file[4], 16 + 4 * 5); // RIFF length: everything after the first eight bytes
    EXPECT_EQ(std::string(file.begin() + 8, file.begin() + 16), "PAL data");
    EXPECT_EQ(file[20] | (file[21] << 8), 0x300);
    EXPECT_EQ(file[22], 5);
    EXPECT_EQ((std::vector<int>(file.begin() + 24 + 12, file.begin() + 28 + 12)),
              (std::vector<int>{12, 200, 99, 0}));
}

TEST(PaletteFile, ReferenceRiffAndJascFilesGiveTheSameColours)
{
    EXPECT_EQ(decodePalette(test::readReferenceFile("pal/five.pal")), kFive);
    EXPECT_EQ(decodePalette(test::readReferenceFile("pal/five_jasc.pal")), kFive);
    EXPECT_EQ(decodePalette(test::readReferenceFile("pal/five_jasc_lf.pal")), kFive);
}

TEST(PaletteFile, RiffChunksBeforeTheDataAreSkippedWithTheirPadding)
{
    ByteBuilder b;
    b.text("RIFF").u32(4 + 8 + 3 + 1 + 8 + 8).text("PAL ");
    b.text("note").u32(3).bytes({1, 2, 3, 0});
    b.text("data").u32(8).u16(0x300).u16(1).bytes({7, 8, 9, 0});
    EXPECT_EQ(decodePalette(b.result()), (std::vector<Rgb>{packRgb(7, 8, 9)}));
}

TEST(PaletteFile, JascToleratesBlanksAndAMissingLastNewline)
{
    const Bytes file = text("JASC-PAL\n0100\n 2 \n1 2 3\n  4\t5 6  ");
    EXPECT_EQ(decodePalette(file), (std::vector<Rgb>{packRgb(1, 2, 3), packRgb(4, 5, 6)}));
}

TEST(PaletteFile, BadFilesAreRefusedWithASentence)
{
    const auto riff = [](unsigned count, std::size_t entries) {
        ByteBuilder b;
        b.text("RIFF").u32(static_cast<std::uint32_t>(16 + 4 * entries)).text("PAL ");
        b.text("data").u32(static_cast<std::uint32_t>(4 + 4 * entries)).u16(0x300).u16(count);
        b.repeat(9, 4 * entries);
        return b.result();
    };
    const std::vector<std::pair<const char*, Bytes>> cases = {
        {"neither kind", text("GIMP Palette\n")},
        {"empty", Bytes{}},
        {"RIFF of another form", ByteBuilder().text("RIFF").u32(4).text("WAVE").result()},
        {"RIFF without data", ByteBuilder().text("RIFF").u32(4).text("PAL ").result()},
        {"RIFF of no colours", riff(0, 0)},
        {"RIFF of 257 colours", riff(257, 257)},
        {"RIFF chunk shorter than its count", riff(5, 2)},
        {"RIFF cut short",
         [&] {
             Bytes f = riff(5, 5);
             f.resize(f.size() - 3);
             return f;
         }()},
        {"JASC of an unknown version", text("JASC-PAL\n0200\n1\n1 2 3\n")},
        {"JASC of no colours", text("JASC-PAL\n0100\n0\n")},
        {"JASC of 257 colours", text("JASC-PAL\n0100\n257\n")},
        {"JASC count not a number", text("JASC-PAL\n0100\nmany\n1 2 3\n")},
        {"JASC colour above 255", text("JASC-PAL\n0100\n1\n1 256 3\n")},
        {"JASC colour negative", text("JASC-PAL\n0100\n1\n1 -2 3\n")},
        {"JASC colour of two numbers", text("JASC-PAL\n0100\n1\n1 2\n")},
        {"JASC with fewer lines than colours", text("JASC-PAL\n0100\n3\n1 2 3\n4 5 6\n")},
    };
    for (const auto& [what, file] : cases) {
        const std::string message = errorOf(file);
        ASSERT_FALSE(message.empty()) << what;
        EXPECT_EQ(message.rfind("The palette file ", 0), 0u) << message;
        EXPECT_EQ(message.back(), '.') << message;
    }
}

TEST(PaletteFile, PalettesOfNoneOrMoreThan256ColoursCannotBeWritten)
{
    EXPECT_THROW(encodePalette({}), ImageError);
    EXPECT_THROW(encodePalette(randomPalette(257)), ImageError);
}

TEST(PaletteFile, FilesAreWrittenAndReadBackThroughTheDisk)
{
    const std::string folder = test::makeTemporaryFolder();
    ASSERT_FALSE(folder.empty());
    const std::string path = folder + "/colours.pal";
    writePaletteFile(path, kFive);
    EXPECT_EQ(readPaletteFile(path), kFive);
    {
        std::ofstream broken(folder + "/broken.pal", std::ios::binary);
        broken << "JASC-PAL\n0100\n9\n";
    }
    try {
        readPaletteFile(folder + "/broken.pal");
        ADD_FAILURE() << "a broken file was read";
    } catch (const ImageError& e) {
        EXPECT_NE(std::string(e.what()).find("broken.pal"), std::string::npos) << e.what();
    }
    EXPECT_THROW(readPaletteFile(folder + "/missing.pal"), ImageError);
    test::removeFolder(folder);
}

} // namespace
} // namespace vask
