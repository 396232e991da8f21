// The picture entering and leaving the control: files, palettes, the clipboard and a printer.
#include "controls/picbuf.h"
#include "engine/codecs/palette_file.h"
#include "engine/image/image_error.h"
#include "tests/controls/picbuf_test_support.h"

#include <QClipboard>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace vask {
namespace {

using PicbufFiles = test::FolderTest;

QByteArray contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(PicbufFiles, SavingAndLoadingKeepsEveryPixelAndLoadingClearsTheSelection)
{
    for (const auto& [name, depth] :
         {std::pair{"true.bmp", 24}, std::pair{"palette.bmp", 8}, std::pair{"four.BMP", 4},
          std::pair{"true.png", 24}, std::pair{"palette.png", 8}, std::pair{"mono.png", 1}}) {
        SCOPED_TRACE(name);
        const Image picture = test::pictureOfDepth(31, 17, depth, 5u);
        test::Holding writer(picture);
        writer.setFileName(path(name));
        writer.Save();

        test::Holding reader(test::noisePicture(10, 10, 1u));
        reader.setSelection({1, 2, 3, 4});
        int changes = 0;
        QObject::connect(&reader, &TPicbuf::Change, [&] {
            ++changes;
            EXPECT_TRUE(reader.selection().isEmpty()); // cleared before Change, so a handler may set one
        });
        reader.setFileName(path(name));
        reader.Load();
        EXPECT_EQ(changes, 1);
        EXPECT_TRUE(test::sameColours(reader.image(), picture));
        EXPECT_EQ(reader.SelectLeft() + reader.SelectTop() + reader.SelectWidth() + reader.SelectHeight(), 0);
    }
}

TEST_F(PicbufFiles, ADamagedOrMissingFileOrAFailedSaveThrowsAndChangesNothing)
{
    test::Holding writer(test::noisePicture(64, 64, 2u));
    writer.setFileName(path("good.png"));
    writer.Save();
    const QByteArray good = contentsOf(path("good.png"));
    QFile cut(path("cut.png")), junk(path("junk.bmp"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly) && junk.open(QIODevice::WriteOnly));
    cut.write(good.left(good.size() / 3));
    junk.write("BM this is not a bitmap at all");
    cut.close();
    junk.close();

    const Image before = test::gradientPicture(20, 10);
    for (const char* name : {"cut.png", "junk.bmp", "missing.bmp", "unknown.xyz"}) {
        SCOPED_TRACE(name);
        test::Holding reader(before);
        reader.setSelection({2, 3, 4, 5});
        int changes = 0;
        QObject::connect(&reader, &TPicbuf::Change, [&] { ++changes; });
        reader.setFileName(path(name));
        EXPECT_THROW(reader.Load(), ImageError);
        EXPECT_TRUE(test::sameColours(reader.image(), before));
        EXPECT_EQ(reader.SelectWidth(), 4);
        EXPECT_EQ(changes, 0);
    }
    // Saving as MSP (read-only), into a missing folder, or from an empty control.
    TPicbuf empty;
    for (const auto& [control, name] : {std::pair<TPicbuf*, const char*>{&writer, "keep.msp"},
                                        {&writer, "no-such-folder/x.bmp"},
                                        {&empty, "empty.bmp"}}) {
        control->setFileName(path(name));
        EXPECT_THROW(control->Save(), ImageError);
        EXPECT_FALSE(QFileInfo::exists(path(name)));
    }
}

TEST_F(PicbufFiles, JpgQualityAndWriteOptionReachTheEncoder)
{
    test::Holding picbuf(test::noisePicture(64, 64, 4u));
    for (const int quality : {10, 95}) {
        picbuf.setJPGQuality(quality);
        picbuf.setFileName(path(quality == 10 ? "low.jpg" : "high.jpg"));
        picbuf.Save();
    }
    EXPECT_LT(QFileInfo(path("low.jpg")).size() * 2, QFileInfo(path("high.jpg")).size());

    // PNG write option 1 is Adam7: the interlace byte of the header (offset 28) is 1.
    for (const int option : {0, 1}) {
        picbuf.setWriteOption(option);
        picbuf.setFileName(path("w.png"));
        picbuf.Save();
        const QByteArray header = contentsOf(path("w.png"));
        ASSERT_GE(header.size(), 29);
        EXPECT_EQ(int(header[28]), option);
    }
}

TEST_F(PicbufFiles, PalettesGoToAndComeFromFilesAndForceAnotherPictureOntoThem)
{
    test::Holding source(test::palettePicture(16, 16, 8, 9u));
    source.setFileName(path("colours.pal"));
    source.WritePalette();
    EXPECT_EQ(readPaletteFile(path("colours.pal").toStdString()), source.image().palette());

    TPicbuf hidden; // empty, as the program's hidden palette buffers are
    hidden.setFileName(path("colours.pal"));
    hidden.ReadPalette();
    ASSERT_EQ(hidden.Contents(), 1);
    test::Holding target(test::noisePicture(20, 20, 10u));
    target.MapPalette(hidden);
    EXPECT_EQ(target.ColorDepth(), 8);
    EXPECT_EQ(target.image().palette(), source.image().palette());

    // Read into a palette picture, the file recolours its indices.
    std::vector<Rgb> palette(16);
    for (int i = 0; i < 16; ++i)
        palette[i] = packRgb(i * 16, 255 - i * 16, 7);
    writePaletteFile(path("sixteen.pal").toStdString(), palette);
    const Image picture = test::palettePicture(9, 5, 4, 12u);
    target.setImage(picture);
    target.setFileName(path("sixteen.pal"));
    target.ReadPalette();
    EXPECT_EQ(target.ColorDepth(), 4);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(target.image().pixelColour(x, y), palette[picture.pixelIndex(x, y)]);

    // A true colour picture of few colours writes its own colours.
    const Rgb colours[] = {packRgb(255, 0, 0), packRgb(0, 255, 0), packRgb(0, 0, 255)};
    Image three(6, 1, 24);
    for (int x = 0; x < 6; ++x)
        three.rgbRow(0)[x] = colours[x % 3];
    source.setImage(three);
    source.setFileName(path("three.pal"));
    source.WritePalette();
    const std::vector<Rgb> written = readPaletteFile(path("three.pal").toStdString());
    for (const Rgb colour : colours)
        EXPECT_EQ(std::count(written.begin(), written.end(), colour), 1);
}

TEST(PicbufClipboard, CopyAndPasteRoundTripAtEveryDepthAndASelectionCopiesOnlyItsPartInsideThePicture)
{
    for (const int depth : {1, 4, 8, 24}) {
        SCOPED_TRACE(depth);
        const Image picture = test::pictureOfDepth(23, 11, depth, 51u);
        test::Holding source(picture);
        source.CopyToClipboard(1);
        TPicbuf target;
        ASSERT_TRUE(target.PasteFromClipboard(1));
        EXPECT_TRUE(test::sameColours(target.image(), picture));
    }

    const Image picture = test::noisePicture(30, 20, 52u);
    test::Holding source(picture);
    source.setSelection({-5, 12, 10, 20}); // reaches out on the left and bottom
    source.CopyToClipboard(0);
    TPicbuf target;
    ASSERT_TRUE(target.PasteFromClipboard(1));
    ASSERT_EQ(target.Xresolution(), 5);
    ASSERT_EQ(target.Yresolution(), 8);
    EXPECT_EQ(target.image().pixelColour(0, 0), picture.pixelColour(0, 12));
    EXPECT_EQ(target.image().pixelColour(4, 7), picture.pixelColour(4, 19));
    source.setSelection({0, 0, 0, 0}); // without a selection, "selection" means the whole picture
    source.CopyToClipboard(0);
    ASSERT_TRUE(target.PasteFromClipboard(1));
    EXPECT_TRUE(test::sameColours(target.image(), picture));
}

TEST(PicbufClipboard, PastingIntoTheSelectionOverwritesOnlyThatAreaAndNeedsAPicture)
{
    const Rgb white = packRgb(255, 255, 255);
    test::Holding target(createImage(24, 30, 30, white));
    target.setSelection({5, 6, 10, 10});
    target.setAssignMode(0);
    QGuiApplication::clipboard()->setText(QStringLiteral("only text"));
    EXPECT_FALSE(target.PasteFromClipboard(1));
    EXPECT_FALSE(target.PasteFromClipboard(0));
    EXPECT_TRUE(test::sameColours(target.image(), createImage(24, 30, 30, white)));

    test::Holding(createImage(24, 10, 10, packRgb(255, 0, 0))).CopyToClipboard(1);
    ASSERT_TRUE(target.PasteFromClipboard(0));
    EXPECT_EQ(target.Xresolution(), 30);
    EXPECT_EQ(target.image().pixelColour(5, 6), packRgb(255, 0, 0));
    EXPECT_EQ(target.image().pixelColour(14, 15), packRgb(255, 0, 0));
    EXPECT_EQ(target.image().pixelColour(15, 15), white);
    EXPECT_EQ(target.image().pixelColour(4, 6), white);
}

TEST(PicbufPrinting, ThePictureFillsItsPrintRectangleInDevicePixels)
{
    Image picture(20, 10, 24); // red left half, blue right half
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            picture.rgbRow(y)[x] = x < 10 ? packRgb(255, 0, 0) : packRgb(0, 0, 255);
    test::Holding picbuf(picture);
    picbuf.setPrintLeft(40);
    picbuf.setPrintTop(30);
    picbuf.setPrintWidth(100);
    picbuf.setPrintHeight(50);

    QImage page(200, 150, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.translate(37, 11); // set aside: the rectangle is in device pixels
        painter.scale(2, 2);
        picbuf.setPrinterhDC(&painter);
    }
    const QRect printRect(40, 30, 100, 50);
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            const QRgb colour = page.pixel(x, y) & 0xFFFFFF;
            const bool blended = printRect.contains(x, y) && x >= 40 + 45 && x < 40 + 55; // the middle
            const QRgb expected = !printRect.contains(x, y) ? 0xFFFFFFu : x < 40 + 45 ? 0xFF0000u : 0x0000FFu;
            ASSERT_TRUE(blended || colour == expected) << x << ", " << y << ": " << std::hex << colour;
        }

    // No picture, or no rectangle: nothing is drawn.
    page.fill(Qt::white);
    const QImage blank = page.copy();
    {
        QPainter painter(&page);
        TPicbuf empty;
        empty.setPrintWidth(50);
        empty.setPrintHeight(50);
        empty.setPrinterhDC(&painter);
        picbuf.setPrintWidth(0);
        picbuf.setPrinterhDC(&painter);
    }
    EXPECT_EQ(page, blank);
}

} // namespace
} // namespace vask
