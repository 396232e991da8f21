// Lines, arrow heads and text drawn into the picture by the picture buffer control.
#include "controls/picbuf.h"
#include "tests/controls/picbuf_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace vask {
namespace {

bool isDark(Rgb colour)
{
    return lumaOf(colour) < 100;
}

// --- lines and text ------------------------------------------------------------------------------------

TEST(PicbufDrawing, ArrowHeadsGoWhereDrawArrowsSays)
{
    struct Case {
        int arrows;
        bool headAtStart;
        bool headAtEnd;
    };
    for (const Case c :
         {Case{0, false, false}, Case{1, true, false}, Case{2, false, true}, Case{3, true, true}}) {
        SCOPED_TRACE(c.arrows);
        TPicbuf picbuf;
        picbuf.setImage(test::flatPicture(100, 100, packRgb(255, 255, 255)));
        picbuf.setForeColor(Qt::black);
        picbuf.setDrawWidth(1);
        picbuf.setDrawArrows(c.arrows);
        picbuf.DrawLines({{10, 50}, {90, 50}}, 0);
        // A head is 10 long and 8 wide: 6 pixels from its tip it is 4.8 wide, so a pixel 2
        // off the line lies inside it.
        EXPECT_EQ(isDark(picbuf.image().pixelColour(16, 48)), c.headAtStart);
        EXPECT_EQ(isDark(picbuf.image().pixelColour(84, 48)), c.headAtEnd);
        EXPECT_TRUE(isDark(picbuf.image().pixelColour(50, 50)));
        EXPECT_FALSE(isDark(picbuf.image().pixelColour(50, 48)));
    }
}

TEST(PicbufDrawing, DrawWidthAndForeColourShapeTheLine)
{
    TPicbuf picbuf;
    picbuf.setImage(test::flatPicture(40, 40, packRgb(255, 255, 255)));
    picbuf.setForeColor(QColor(255, 0, 0));
    picbuf.setDrawWidth(5);
    picbuf.DrawLines({{5, 20}, {35, 20}}, 0);
    for (int y = 16; y <= 24; ++y)
        EXPECT_EQ(picbuf.image().pixelColour(20, y) == packRgb(255, 0, 0), y >= 18 && y <= 22) << y;
}

// Dark pixels of a white picture inside and outside an area.
struct DarkCount {
    int inside = 0;
    int outside = 0;
    QRect bounds;
};

DarkCount countDark(const Image& image, const QRect& area)
{
    DarkCount count;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isDark(image.pixelColour(x, y))) {
                if (area.contains(x, y)) {
                    ++count.inside;
                    count.bounds = count.bounds.united(QRect(x, y, 1, 1));
                } else {
                    ++count.outside;
                }
            }
    return count;
}

TEST(PicbufDrawing, PlaceTextDrawsInsideTheSelectionOnlyAtEveryDepth)
{
    for (const int depth : {1, 4, 8, 24}) {
        for (const bool autoSize : {false, true}) {
            SCOPED_TRACE(std::to_string(depth) + (autoSize ? " auto" : " fixed"));
            TPicbuf picbuf;
            picbuf.CreateImage(depth, 200, 100, 0xFFFFFFu);
            picbuf.setSelection({50, 20, 60, 30});
            picbuf.setForeColor(Qt::black);
            picbuf.setFontTransparent(true);
            picbuf.setTextAutoSize(autoSize);
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPointSize(40); // far too large: the selection clips it
            picbuf.setFont(font);
            picbuf.setText(QStringLiteral("Wide Text\r\nTwo"));
            picbuf.PlaceText(0);
            const DarkCount dark = countDark(picbuf.image(), QRect(50, 20, 60, 30));
            EXPECT_GT(dark.inside, 30);
            EXPECT_EQ(dark.outside, 0);
            EXPECT_EQ(picbuf.ColorDepth(), depth);
        }
    }
}

TEST(PicbufDrawing, PlaceTextWithoutSelectionUsesTheWholePicture)
{
    TPicbuf picbuf;
    picbuf.CreateImage(24, 120, 40, 0xFFFFFFu);
    picbuf.setForeColor(Qt::black);
    picbuf.setTextAutoSize(true);
    picbuf.setText(QStringLiteral("Hello"));
    picbuf.PlaceText(0);
    const DarkCount dark = countDark(picbuf.image(), QRect(0, 0, 120, 40));
    // Auto size fills one side of the area.
    EXPECT_TRUE(dark.bounds.width() > 120 * 0.6 || dark.bounds.height() > 40 * 0.5)
        << dark.bounds.width() << " x " << dark.bounds.height();
}

TEST(PicbufDrawing, AnOpaqueTextBoxFillsTheWholeSelectionWithBackColour)
{
    TPicbuf picbuf;
    picbuf.CreateImage(24, 100, 60, 0xFFFFFFu);
    picbuf.setSelection({10, 10, 50, 20});
    picbuf.setForeColor(Qt::black);
    picbuf.setBackColor(QColor(0, 0, 255));
    picbuf.setFontTransparent(false);
    picbuf.setText(QStringLiteral("x"));
    picbuf.PlaceText(0);
    EXPECT_EQ(picbuf.image().pixelColour(59, 29), packRgb(0, 0, 255));
    EXPECT_EQ(picbuf.image().pixelColour(10, 10) & 0xFFFF00u, 0u); // blue or darker
    EXPECT_EQ(picbuf.image().pixelColour(60, 29), packRgb(255, 255, 255));
    EXPECT_EQ(picbuf.image().pixelColour(9, 10), packRgb(255, 255, 255));
}

TEST(PicbufDrawing, TextAlignmentPlacesTheTextLeftRightOrCentred)
{
    struct Case {
        int alignment;
        int expectedCentre;
    };
    for (const Case c : {Case{0, -1}, Case{1, 1}, Case{2, 0}}) {
        SCOPED_TRACE(c.alignment);
        TPicbuf picbuf;
        picbuf.CreateImage(24, 300, 60, 0xFFFFFFu);
        picbuf.setSelection({20, 10, 260, 40});
        picbuf.setForeColor(Qt::black);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(20);
        picbuf.setFont(font);
        picbuf.setTextAlignment(c.alignment);
        picbuf.setText(QStringLiteral("MMM"));
        picbuf.PlaceText(0);
        const DarkCount dark = countDark(picbuf.image(), QRect(20, 10, 260, 40));
        ASSERT_GT(dark.inside, 0);
        const int centre = dark.bounds.center().x();
        if (c.expectedCentre < 0)
            EXPECT_LT(dark.bounds.left(), 20 + 6);
        else if (c.expectedCentre > 0)
            EXPECT_GT(dark.bounds.right(), 20 + 260 - 6);
        else
            EXPECT_NEAR(centre, 20 + 130, 3);
    }
}

} // namespace
} // namespace vask
