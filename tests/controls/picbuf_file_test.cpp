#include "controls/picbuf.h"
#include "engine/codecs/palette_file.h"
#include "engine/image/image_error.h"
#include "tests/support/test_pictures.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <ostream>

#include <fstream>
#include <set>

namespace vask {
namespace {

class PicbufFiles : public ::testing::Test {
protected:
    void SetUp() override { m_folder = test::makeTemporaryFolder(); }
    void TearDown() override { test::removeFolder(m_folder); }
    QString path(const char* name) const { return QString::fromStdString(m_folder + "/" + name); }

    std::string m_folder;
};

struct FileCase {
    const char* name;
    int depth;
};

void PrintTo(const FileCase& c, std::ostream* os)
{
    *os << c.name;
}

class PicbufRoundTrip : public PicbufFiles, public ::testing::WithParamInterface<FileCase> {};

TEST_P(PicbufRoundTrip, SavingAndLoadingKeepsEveryPixel)
{
    const FileCase& c = GetParam();
    const Image picture =
        c.depth == 24 ? test::noisePicture(31, 17, 5u) : test::palettePicture(31, 17, c.depth, 5u + c.depth);
    TPicbuf writer;
    writer.setImage(picture);
    writer.setFileName(path(c.name));
    writer.Save();

    TPicbuf reader;
    reader.setFileName(path(c.name));
    reader.Load();
    EXPECT_EQ(reader.Contents(), 1);
    EXPECT_EQ(reader.Xresolution(), 31);
    EXPECT_EQ(reader.Yresolution(), 17);
    EXPECT_TRUE(test::sameColours(reader.image(), picture));
}

INSTANTIATE_TEST_SUITE_P(Codecs, PicbufRoundTrip,
                         ::testing::Values(FileCase{"true.bmp", 24}, FileCase{"palette.bmp", 8},
                                           FileCase{"four.BMP", 4}, FileCase{"true.png", 24},
                                           FileCase{"palette.png", 8}, FileCase{"mono.png", 1}),
                         [](const auto& info) {
                             return std::to_string(info.index) + "_" + std::to_string(info.param.depth);
                         });

TEST_F(PicbufFiles, LoadingReplacesThePictureClearsTheSelectionAndSignalsChangeOnce)
{
    TPicbuf writer;
    writer.setImage(test::gradientPicture(40, 30));
    writer.setFileName(path("g.bmp"));
    writer.Save();

    TPicbuf reader;
    reader.setImage(test::noisePicture(10, 10, 1u));
    reader.setSelection({1, 2, 3, 4});
    int changes = 0;
    QObject::connect(&reader, &TPicbuf::Change, [&] {
        ++changes;
        EXPECT_EQ(reader.SelectWidth(), 0); // cleared before Change, so a handler may set one
    });
    reader.setFileName(path("g.bmp"));
    reader.Load();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(reader.Xresolution(), 40);
    EXPECT_EQ(reader.SelectLeft(), 0);
    EXPECT_EQ(reader.SelectTop(), 0);
    EXPECT_EQ(reader.SelectHeight(), 0);
}

TEST_F(PicbufFiles, ADamagedOrMissingFileThrowsAndLeavesThePictureAsItWas)
{
    TPicbuf writer;
    writer.setImage(test::noisePicture(64, 64, 2u));
    writer.setFileName(path("good.png"));
    writer.Save();
    {
        QFile good(path("good.png"));
        ASSERT_TRUE(good.open(QIODevice::ReadOnly));
        const QByteArray bytes = good.readAll();
        QFile cut(path("cut.png"));
        ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
        cut.write(bytes.left(bytes.size() / 3));
        QFile junk(path("junk.bmp"));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write("BM this is not a bitmap at all");
    }

    const Image before = test::gradientPicture(20, 10);
    for (const char* name : {"cut.png", "junk.bmp", "missing.bmp", "unknown.xyz"}) {
        SCOPED_TRACE(name);
        TPicbuf reader;
        reader.setImage(before);
        reader.setSelection({2, 3, 4, 5});
        int changes = 0;
        QObject::connect(&reader, &TPicbuf::Change, [&] { ++changes; });
        reader.setFileName(path(name));
        EXPECT_THROW(reader.Load(), ImageError);
        EXPECT_TRUE(test::sameColours(reader.image(), before));
        EXPECT_EQ(reader.SelectWidth(), 4);
        EXPECT_EQ(changes, 0);
    }
}

TEST_F(PicbufFiles, AFailedSaveThrowsAndLeavesTheOldFileIntact)
{
    TPicbuf picbuf;
    picbuf.setImage(test::noisePicture(8, 8, 3u));
    picbuf.setFileName(path("keep.msp")); // MSP is read-only
    EXPECT_THROW(picbuf.Save(), ImageError);
    EXPECT_FALSE(QFileInfo::exists(path("keep.msp")));

    picbuf.setFileName(path("no-such-folder/x.bmp"));
    EXPECT_THROW(picbuf.Save(), ImageError);

    TPicbuf empty;
    empty.setFileName(path("empty.bmp"));
    EXPECT_THROW(empty.Save(), ImageError);
    EXPECT_FALSE(QFileInfo::exists(path("empty.bmp")));
}

TEST_F(PicbufFiles, JpgQualityAndWriteOptionReachTheEncoder)
{
    TPicbuf picbuf;
    picbuf.setImage(test::noisePicture(64, 64, 4u));
    picbuf.setJPGQuality(10);
    picbuf.setFileName(path("low.jpg"));
    picbuf.Save();
    picbuf.setJPGQuality(95);
    picbuf.setFileName(path("high.jpg"));
    picbuf.Save();
    EXPECT_LT(QFileInfo(path("low.jpg")).size() * 2, QFileInfo(path("high.jpg")).size());

    // PNG write option 1 is Adam7: the interlace byte of the header (offset 28) is 1.
    picbuf.setJPGQuality(0);
    for (const int option : {0, 1}) {
        picbuf.setWriteOption(option);
        picbuf.setFileName(path("w.png"));
        picbuf.Save();
        QFile file(path("w.png"));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(29);
        ASSERT_EQ(header.size(), 29);
        EXPECT_EQ(int(header[28]), option);
    }
}

TEST_F(PicbufFiles, APaletteWrittenAndReadBackForcesAnotherPictureOntoIt)
{
    TPicbuf source;
    source.setImage(test::palettePicture(16, 16, 8, 9u));
    source.setFileName(path("colours.pal"));
    source.WritePalette();
    EXPECT_EQ(readPaletteFile(path("colours.pal").toStdString()), source.image().palette());

    TPicbuf hidden; // empty, as the program's hidden palette buffers are
    hidden.setFileName(path("colours.pal"));
    hidden.ReadPalette();
    ASSERT_EQ(hidden.Contents(), 1);
    EXPECT_EQ(hidden.image().palette(), source.image().palette());

    TPicbuf target;
    target.setImage(test::noisePicture(20, 20, 10u));
    target.MapPalette(hidden);
    EXPECT_EQ(target.ColorDepth(), 8);
    EXPECT_EQ(target.image().palette(), source.image().palette());
}

TEST_F(PicbufFiles, ReadingAPaletteIntoAPalettePictureRecoloursItsIndices)
{
    std::vector<Rgb> palette(16);
    for (int i = 0; i < 16; ++i)
        palette[i] = packRgb(i * 16, 255 - i * 16, 7);
    writePaletteFile(path("sixteen.pal").toStdString(), palette);

    TPicbuf picbuf;
    const Image picture = test::palettePicture(9, 5, 4, 12u);
    picbuf.setImage(picture);
    picbuf.setFileName(path("sixteen.pal"));
    picbuf.ReadPalette();
    EXPECT_EQ(picbuf.ColorDepth(), 4);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x) {
            ASSERT_EQ(picbuf.GetPixelIndex(x, y), picture.pixelIndex(x, y));
            ASSERT_EQ(picbuf.image().pixelColour(x, y), palette[picture.pixelIndex(x, y)]);
        }
}

TEST_F(PicbufFiles, ATrueColourPictureWritesItsOwnFewColoursAsPalette)
{
    Image picture(6, 1, 24);
    const Rgb colours[] = {packRgb(255, 0, 0), packRgb(0, 255, 0), packRgb(0, 0, 255)};
    for (int x = 0; x < 6; ++x)
        picture.rgbRow(0)[x] = colours[x % 3];
    TPicbuf picbuf;
    picbuf.setImage(picture);
    picbuf.setFileName(path("three.pal"));
    picbuf.WritePalette();
    const std::vector<Rgb> written = readPaletteFile(path("three.pal").toStdString());
    const std::set<Rgb> entries(written.begin(), written.end());
    for (const Rgb colour : colours)
        EXPECT_EQ(entries.count(colour), 1u);
}

} // namespace
} // namespace vask
