// The picture leaving the control: through the clipboard and onto a printer's painter.
#include "controls/picbuf.h"
#include "tests/controls/picbuf_test_support.h"
#include "tests/support/test_pictures.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>

#include <gtest/gtest.h>

namespace vask {
namespace {

// --- clipboard ------------------------------------------------------------------------------------------

TEST(PicbufClipboard, CopyAndPasteRoundTripAtEveryDepth)
{
    for (const int depth : {1, 4, 8, 24}) {
        SCOPED_TRACE(depth);
        const Image picture =
            depth == 24 ? test::noisePicture(23, 11, 51u) : test::palettePicture(23, 11, depth, 51u + depth);
        TPicbuf source;
        source.setImage(picture);
        source.CopyToClipboard(1);
        TPicbuf target;
        ASSERT_TRUE(target.PasteFromClipboard(1));
        EXPECT_TRUE(test::sameColours(target.image(), picture));
    }
}

TEST(PicbufClipboard, CopyingTheSelectionCopiesOnlyItsPartInsideThePicture)
{
    const Image picture = test::noisePicture(30, 20, 52u);
    TPicbuf source;
    source.setImage(picture);
    source.setSelection({-5, 12, 10, 20}); // reaches out on the left and bottom
    source.CopyToClipboard(0);
    TPicbuf target;
    ASSERT_TRUE(target.PasteFromClipboard(1));
    ASSERT_EQ(target.Xresolution(), 5);
    ASSERT_EQ(target.Yresolution(), 8);
    EXPECT_EQ(target.image().pixelColour(0, 0), picture.pixelColour(0, 12));
    EXPECT_EQ(target.image().pixelColour(4, 7), picture.pixelColour(4, 19));

    // Without a selection, "selection" means the whole picture.
    source.setSelection({0, 0, 0, 0});
    source.CopyToClipboard(0);
    ASSERT_TRUE(target.PasteFromClipboard(1));
    EXPECT_TRUE(test::sameColours(target.image(), picture));
}

TEST(PicbufClipboard, PastingIntoTheSelectionOverwritesOnlyThatArea)
{
    TPicbuf source;
    source.setImage(test::flatPicture(10, 10, packRgb(255, 0, 0)));
    source.CopyToClipboard(1);

    TPicbuf target;
    target.setImage(test::flatPicture(30, 30, packRgb(255, 255, 255)));
    target.setSelection({5, 6, 10, 10});
    target.setAssignMode(0);
    ASSERT_TRUE(target.PasteFromClipboard(0));
    EXPECT_EQ(target.Xresolution(), 30);
    EXPECT_EQ(target.image().pixelColour(5, 6), packRgb(255, 0, 0));
    EXPECT_EQ(target.image().pixelColour(14, 15), packRgb(255, 0, 0));
    EXPECT_EQ(target.image().pixelColour(15, 15), packRgb(255, 255, 255));
    EXPECT_EQ(target.image().pixelColour(4, 6), packRgb(255, 255, 255));
}

TEST(PicbufClipboard, PastingWithoutAPictureOnTheClipboardChangesNothing)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("only text"));
    TPicbuf target;
    const Image picture = test::noisePicture(4, 4, 53u);
    target.setImage(picture);
    EXPECT_FALSE(target.PasteFromClipboard(1));
    EXPECT_FALSE(target.PasteFromClipboard(0));
    EXPECT_TRUE(test::sameColours(target.image(), picture));
}

// --- printing -------------------------------------------------------------------------------------------

TEST(PicbufPrinting, ThePictureFillsItsPrintRectangleInDevicePixels)
{
    Image picture(20, 10, 24);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            picture.rgbRow(y)[x] = x < 10 ? packRgb(255, 0, 0) : packRgb(0, 0, 255);
    TPicbuf picbuf;
    picbuf.setImage(picture);
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
            if (!printRect.contains(x, y)) {
                ASSERT_EQ(colour, 0xFFFFFFu) << x << ", " << y;
            } else if (x < 40 + 45) {
                ASSERT_EQ(colour, 0xFF0000u) << x << ", " << y;
            } else if (x >= 40 + 55) {
                ASSERT_EQ(colour, 0x0000FFu) << x << ", " << y;
            }
        }

    // No picture, or no rectangle: nothing is drawn.
    QImage blank(50, 50, QImage::Format_RGB32);
    blank.fill(Qt::white);
    {
        QPainter painter(&blank);
        TPicbuf empty;
        empty.setPrintWidth(50);
        empty.setPrintHeight(50);
        empty.setPrinterhDC(&painter);
        picbuf.setPrintWidth(0);
        picbuf.setPrinterhDC(&painter);
    }
    EXPECT_EQ(blank.pixel(10, 40) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(blank.pixel(45, 45) & 0xFFFFFF, 0xFFFFFFu);
}

} // namespace
} // namespace vask
