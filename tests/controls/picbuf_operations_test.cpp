// The picture operations, pixel access, assigning, and lines and text drawn into the picture.
#include "controls/picbuf.h"
#include "engine/image/image_error.h"
#include "tests/controls/picbuf_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

namespace vask {
namespace {

using test::Holding;

const Rgb kWhite = packRgb(255, 255, 255);

TEST(PicbufPixels, PixelsAndPaletteEntriesUseWindowsColoursWithRedInTheLowByte)
{
    Holding picbuf(createImage(24, 4, 3, packRgb(0x12, 0x34, 0x56)));
    EXPECT_EQ(picbuf.GetPixel(3, 2), 0x563412u);
    EXPECT_EQ(picbuf.GetPixel(4, 2) | picbuf.GetPixel(-1, 0), 0u); // outside
    EXPECT_TRUE(picbuf.GetPaletteEntries().empty());

    Image picture(3, 1, 8);
    picture.row(0)[0] = 3;
    picbuf.setImage(picture);
    picbuf.SetPaletteEntry(3, 0x0000FFu); // red
    EXPECT_EQ(picbuf.image().paletteEntry(3), packRgb(255, 0, 0));
    EXPECT_EQ(picbuf.GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(picbuf.GetPixelIndex(0, 0), 3);
    EXPECT_EQ(picbuf.GetPaletteEntry(256), 0u);
    const std::vector<quint32> entries = picbuf.GetPaletteEntries();
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(entries[3], 0x0000FFu);
    EXPECT_EQ(entries[255], 0xFFFFFFu); // grey ramp
    picbuf.setImage(Image(3, 1, 4));    // 16 entries, the rest zero
    EXPECT_EQ(picbuf.GetPaletteEntries().size(), 256u);
    EXPECT_EQ(picbuf.GetPaletteEntries()[16], 0u);

    // CreateImage takes a Windows colour too, PutRow 0x00RRGGBB words.
    for (const int bits : {1, 4, 8, 24}) {
        picbuf.CreateImage(bits, 7, 5, 0xFFFF00u); // cyan
        EXPECT_EQ(picbuf.ColorDepth(), bits);
        EXPECT_EQ(picbuf.image().pixelColour(6, 4), packRgb(0, 255, 255)) << bits;
    }
    EXPECT_THROW(picbuf.CreateImage(16, 2, 2, 0), ImageError);
    picbuf.CreateImage(24, 4, 2, 0);
    picbuf.PutRow(1, {0x112233u, 0x445566u});
    EXPECT_EQ(picbuf.image().pixelColour(0, 1), packRgb(0x11, 0x22, 0x33));
    EXPECT_EQ(picbuf.image().pixelColour(1, 1), packRgb(0x44, 0x55, 0x66));
    EXPECT_EQ(picbuf.image().pixelColour(2, 1), packRgb(0, 0, 0));
    EXPECT_THROW(picbuf.PutRow(2, {0u}), ImageError);
}

TEST(PicbufAssign, SelectionsAreClampedAndChooseWhatIsTakenAndWhereItGoes)
{
    TPicbuf clamped;
    clamped.setSelection({-27, -27, 75, -5}); // the dynamic zoom writes areas past the top-left corner
    EXPECT_EQ(clamped.SelectLeft(), -27);
    EXPECT_EQ(clamped.SelectHeight(), 0);
    EXPECT_TRUE(clamped.selection().isEmpty());
    clamped.setSelection({70000, -70000, 100000, 1}); // 16-bit positions, sides up to 65535
    EXPECT_EQ(clamped.SelectLeft(), 32767);
    EXPECT_EQ(clamped.SelectTop(), -32768);
    EXPECT_EQ(clamped.SelectWidth(), 65535);

    const Image picture = test::noisePicture(40, 30, 21u);
    Holding source(picture);
    source.setSelection({10, 5, 8, 6});

    TPicbuf copy, empty;
    copy.setAssignMode(2); // an empty target takes a copy whatever the mode
    copy.AssignImage(false, source, true);
    ASSERT_EQ(copy.Xresolution(), 8);
    ASSERT_EQ(copy.Yresolution(), 6);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(copy.image().pixelColour(x, y), picture.pixelColour(10 + x, 5 + y));
    copy.AssignImage(false, empty, false); // nothing to take: unchanged
    EXPECT_EQ(copy.Xresolution(), 8);

    Holding target(createImage(24, 20, 20, kWhite)); // the selection at 1:1
    target.setSelection({2, 3, 8, 6});
    target.setAssignMode(0);
    target.AssignImage(true, source, true);
    EXPECT_EQ(target.Xresolution(), 20);
    EXPECT_EQ(target.image().pixelColour(2, 3), picture.pixelColour(10, 5));
    EXPECT_EQ(target.image().pixelColour(9, 8), picture.pixelColour(17, 10));
    EXPECT_EQ(target.image().pixelColour(10, 8), kWhite);
    EXPECT_EQ(target.image().pixelColour(1, 3), kWhite);

    source.AssignImage(false, source, true); // from itself
    ASSERT_EQ(source.Xresolution(), 8);
    EXPECT_EQ(source.image().pixelColour(7, 5), picture.pixelColour(17, 10));
}

// clang-format off
const std::vector<std::pair<const char*, std::function<void(TPicbuf&)>>> kOperations = {
    {"Sharpen", [](TPicbuf& p) { p.SharpenImage(5); }},
    {"Soften", [](TPicbuf& p) { p.SoftenImage(5); }},
    {"Edges", [](TPicbuf& p) { p.EdgeExtract(5); }},
    {"Blur", [](TPicbuf& p) { p.BlurImage(); }},
    {"Negate", [](TPicbuf& p) { p.NegateImage(); }},
    {"Grey", [](TPicbuf& p) { p.GreyScaleImage(); }},
    {"Mirror", [](TPicbuf& p) { p.MirrorImage(-1, 0); }},
    {"Rotate", [](TPicbuf& p) { p.RotateImage(90, 0); }},
    {"Depth", [](TPicbuf& p) { p.IncreaseDepth(24); }},
    {"Reduce", [](TPicbuf& p) { p.ReduceColors(16, true, true, false); }},
    {"Matrix", [](TPicbuf& p) { p.MatrixFilter({0, 0, 0, 0, 2, 0, 0, 0, 0}, 1, 1, 0); }},
    {"Text", [](TPicbuf& p) { p.setText("Ab"); p.PlaceText(0); }},
    {"Lines", [](TPicbuf& p) { p.DrawLines({{0, 0}, {5, 5}}, 0); }},
};
// clang-format on

TEST(PicbufOperations, EachOperationChangesThePictureAndSignalsChangeOnceAndNothingWhenEmpty)
{
    for (const auto& [name, run] : kOperations) {
        SCOPED_TRACE(name);
        TPicbuf picbuf;
        int changes = 0;
        QObject::connect(&picbuf, &TPicbuf::Change, [&] { ++changes; });
        EXPECT_NO_THROW(run(picbuf));
        EXPECT_EQ(picbuf.Contents(), 0);
        EXPECT_EQ(changes, 0);

        const Image before = test::palettePicture(13, 9, 8, 31u);
        picbuf.setImage(before);
        changes = 0;
        run(picbuf);
        EXPECT_EQ(changes, 1);
        EXPECT_FALSE(picbuf.ColorDepth() == before.depth() && picbuf.Xresolution() == before.width() &&
                     picbuf.Yresolution() == before.height() && test::sameColours(picbuf.image(), before) &&
                     picbuf.image().palette() == before.palette());
    }
}

TEST(PicbufOperations, MirrorRotateAndMaskTakeTheirArgumentsTheWindowsWay)
{
    const Image picture = test::noisePicture(5, 3, 41u);
    Holding picbuf(picture);
    picbuf.MirrorImage(0, -1);
    EXPECT_EQ(picbuf.image().pixelColour(0, 0), picture.pixelColour(0, 2));
    picbuf.setImage(picture);
    picbuf.RotateImage(90, 0); // anticlockwise: the top-right corner comes to the top-left
    EXPECT_EQ(picbuf.Xresolution(), 3);
    EXPECT_EQ(picbuf.image().pixelColour(0, 0), picture.pixelColour(4, 0));
    picbuf.setImage(createImage(24, 20, 20, kWhite));
    picbuf.RotateImage(45, 0xFF0000u); // the uncovered corners in Windows blue
    EXPECT_EQ(picbuf.image().pixelColour(0, 0), packRgb(0, 0, 255));

    Holding destination(createImage(24, 4, 4, 0)), source(createImage(24, 4, 4, packRgb(200, 100, 50)));
    Image maskPicture = createImage(24, 4, 4, 0);
    maskPicture.rgbRow(0)[0] = kWhite;
    destination.MaskImages(source, Holding(maskPicture));
    EXPECT_EQ(destination.image().pixelColour(0, 0), packRgb(200, 100, 50));
    EXPECT_EQ(destination.image().pixelColour(1, 0), packRgb(0, 0, 0));
}

TEST(PicbufDrawing, DrawWidthForeColourAndDrawArrowsShapeTheLine)
{
    for (const int arrows : {0, 1, 2, 3}) { // 1 puts a head at the start, 2 at the end, 3 at both
        SCOPED_TRACE(arrows);
        Holding picbuf(createImage(24, 100, 100, kWhite));
        picbuf.setForeColor(QColor(255, 0, 0));
        picbuf.setDrawWidth(3);
        picbuf.setDrawArrows(arrows);
        picbuf.DrawLines({{10, 50}, {90, 50}}, 0);
        const auto red = [&](int x, int y) { return picbuf.image().pixelColour(x, y) == packRgb(255, 0, 0); };
        // A head of a 3 wide line is 12 long and 12 wide: 6 from its tip a pixel 2 off the line is inside.
        EXPECT_EQ(red(16, 48), (arrows & 1) != 0);
        EXPECT_EQ(red(84, 48), (arrows & 2) != 0);
        for (int y = 46; y <= 54; ++y)
            EXPECT_EQ(red(50, y), y >= 49 && y <= 51) << y;
    }
}

// The bounds of the dark pixels inside area, and how many lie outside it.
struct Ink {
    QRect bounds;
    int inside = 0;
    int outside = 0;
};

Ink inkOf(const Image& image, const QRect& area)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (lumaOf(image.pixelColour(x, y)) >= 100)
                continue;
            ink.bounds |= area.contains(x, y) ? QRect(x, y, 1, 1) : QRect();
            ++(area.contains(x, y) ? ink.inside : ink.outside);
        }
    return ink;
}

// A white picture with a selection, black transparent text in DejaVu Sans of the pixel size.
void prepareText(TPicbuf& picbuf, int depth, QSize size, const QString& text, Rect selection, int pixels)
{
    picbuf.CreateImage(depth, size.width(), size.height(), 0xFFFFFFu);
    picbuf.setSelection(selection);
    picbuf.setForeColor(Qt::black);
    picbuf.setFontTransparent(true);
    picbuf.setText(text);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    picbuf.setFont(font);
}

TEST(PicbufDrawing, PlaceTextDrawsInsideTheSelectionOnlyAtEveryDepth)
{
    for (const int depth : {1, 4, 8, 24}) {
        for (const bool autoSize : {false, true}) {
            SCOPED_TRACE(std::to_string(depth) + (autoSize ? " auto" : " fixed"));
            TPicbuf picbuf; // the font is far too large: the selection clips it
            prepareText(picbuf, depth, {200, 100}, QStringLiteral("Wide Text\r\nTwo"), {50, 20, 60, 30}, 55);
            picbuf.setTextAutoSize(autoSize);
            picbuf.PlaceText(0);
            const Ink ink = inkOf(picbuf.image(), QRect(50, 20, 60, 30));
            EXPECT_GT(ink.inside, 30);
            EXPECT_EQ(ink.outside, 0);
            EXPECT_EQ(picbuf.ColorDepth(), depth);
        }
    }
}

TEST(PicbufDrawing, AnOpaqueTextBoxFillsTheWholeSelectionWithBackColour)
{
    TPicbuf picbuf;
    prepareText(picbuf, 24, {100, 60}, QStringLiteral("x"), {10, 10, 50, 20}, 12);
    picbuf.setBackColor(QColor(0, 0, 255));
    picbuf.setFontTransparent(false);
    picbuf.PlaceText(0);
    EXPECT_EQ(picbuf.image().pixelColour(59, 29), packRgb(0, 0, 255));
    EXPECT_EQ(picbuf.image().pixelColour(10, 10) & 0xFFFF00u, 0u); // blue or darker
    EXPECT_EQ(picbuf.image().pixelColour(60, 29), kWhite);
    EXPECT_EQ(picbuf.image().pixelColour(9, 10), kWhite);
}

TEST(PicbufDrawing, TextAlignmentPlacesTheTextLeftRightOrCentredAndWithoutSelectionInTheWholePicture)
{
    for (const int alignment : {0, 1, 2}) { // left, right, centred
        SCOPED_TRACE(alignment);
        TPicbuf picbuf;
        prepareText(picbuf, 24, {300, 60}, QStringLiteral("MMM"), {20, 10, 260, 40}, 20);
        picbuf.setTextAlignment(alignment);
        if (alignment == 2) { // auto size fills one side of the whole picture
            picbuf.setSelection({});
            picbuf.setTextAutoSize(true);
        }
        picbuf.PlaceText(0);
        const QRect ink = inkOf(picbuf.image(), QRect(0, 0, 300, 60)).bounds;
        ASSERT_FALSE(ink.isEmpty());
        if (alignment == 0)
            EXPECT_LT(ink.left(), 20 + 6);
        else if (alignment == 1)
            EXPECT_GT(ink.right(), 20 + 260 - 6);
        else
            EXPECT_TRUE(std::abs(ink.center().x() - 150) <= 3 && (ink.width() > 180 || ink.height() > 30))
                << ink.center().x() << " " << ink.width() << " x " << ink.height();
    }
}

} // namespace
} // namespace vask
