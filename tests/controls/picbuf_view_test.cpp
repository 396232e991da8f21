// What the picture buffer control paints agrees with what its conversions say: every control
// pixel of a grabbed viewport is checked against the image pixel ScreenToImageX/Y name.
#include "controls/picbuf.h"
#include "tests/controls/picbuf_test_support.h"
#include "tests/support/test_pictures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <ostream>

#include <string>

namespace vask {
namespace {

// Red and green are the low bytes of x and y, blue their high nibbles: each pixel names itself.
Image coordinatePicture(int width, int height)
{
    Image image(width, height, 24);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.rgbRow(y)[x] = packRgb(x & 0xFF, y & 0xFF, (((x >> 8) & 0xF) << 4) | ((y >> 8) & 0xF));
    return image;
}

// The control at the given size, shown, holding picture at a fixed scale unless autoScale.
void showPicture(TPicbuf& picbuf, QSize control, Image picture, bool autoScale = false)
{
    picbuf.resize(control);
    picbuf.show();
    picbuf.setImage(std::move(picture));
    picbuf.setAutoScale(autoScale);
}

QImage grabViewport(TPicbuf& picbuf)
{
    return picbuf.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb rgbOnly(QRgb colour)
{
    return colour & 0xFFFFFFu;
}

// The mean colour of an image block, rounded to the nearest level.
QRgb blockMean(const Image& image, int left, int top, int right, int bottom)
{
    std::uint64_t r = 0, g = 0, b = 0, count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const Rgb p = image.pixelColour(x, y);
            r += redOf(p);
            g += greenOf(p);
            b += blueOf(p);
            ++count;
        }
    return rgbOnly(
        qRgb(int((r + count / 2) / count), int((g + count / 2) / count), int((b + count / 2) / count)));
}

// Every viewport pixel: background where the conversion leaves the picture, the named pixel
// when enlarging, the mean of the pixels up to the next control pixel's when shrinking.
void expectPaintingMatchesConversions(TPicbuf& picbuf)
{
    const Image& picture = picbuf.image();
    const QImage shot = grabViewport(picbuf);
    ASSERT_EQ(shot.size(), picbuf.viewport()->size());
    const bool shrinking = picbuf.geometry().isShrinking();
    int mismatches = 0;
    std::string first;
    for (int y = 0; y < shot.height(); ++y) {
        const int row = picbuf.ScreenToImageY(y);
        for (int x = 0; x < shot.width(); ++x) {
            const int column = picbuf.ScreenToImageX(x);
            QRgb expected = rgbOnly(picbuf.BackColor().rgb());
            if (picture.contains(column, row)) {
                if (shrinking) {
                    const int right = std::clamp(picbuf.ScreenToImageX(x + 1), column + 1, picture.width());
                    const int bottom = std::clamp(picbuf.ScreenToImageY(y + 1), row + 1, picture.height());
                    expected = blockMean(picture, column, row, right, bottom);
                } else {
                    expected = rgbOnly(picture.pixelColour(column, row));
                }
            }
            const QRgb painted = rgbOnly(shot.pixel(x, y));
            if (painted != expected && mismatches++ == 0)
                first = "control (" + std::to_string(x) + ", " + std::to_string(y) + ") image (" +
                        std::to_string(column) + ", " + std::to_string(row) + ") painted " +
                        std::to_string(painted) + " expected " + std::to_string(expected);
        }
    }
    EXPECT_EQ(mismatches, 0) << first;
}

struct ScaleCase {
    const char* name;
    QSize picture;
    QSize control;
    bool autoScale;
    int scaleScreen;
    int scaleImage;
    // A pan (image point to control point) after the scale is set; none when x < 0.
    QPoint panImage{-1, -1};

    void PrintTo(const ScaleCase& c, std::ostream* os) { *os << c.name; }
    QPoint panControl{};
};

class PaintedScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(PaintedScale, EveryControlPixelShowsTheImagePixelItsConversionNames)
{
    const ScaleCase& c = GetParam();
    TPicbuf picbuf;
    showPicture(picbuf, c.control, coordinatePicture(c.picture.width(), c.picture.height()), c.autoScale);
    picbuf.setScaleScreen(c.scaleScreen);
    picbuf.setScaleImage(c.scaleImage);
    if (c.panImage.x() >= 0)
        picbuf.PanImage(c.panImage.x(), c.panImage.y(), c.panControl.x(), c.panControl.y());
    ASSERT_EQ(picbuf.viewport()->size(), c.control);
    expectPaintingMatchesConversions(picbuf);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, PaintedScale,
    ::testing::Values(ScaleCase{"OneToOneCentred", {50, 40}, {200, 150}, false, 1, 1},
                      ScaleCase{"OneToOnePanned", {400, 300}, {200, 150}, false, 1, 1, {300, 200}, {50, 40}},
                      ScaleCase{"ZoomInThree", {50, 40}, {200, 150}, false, 3, 1},
                      ScaleCase{"ZoomInFourPanned", {100, 80}, {200, 150}, false, 4, 1, {61, 47}, {33, 21}},
                      ScaleCase{"ZoomOutTwo", {600, 400}, {200, 150}, false, 1, 2},
                      ScaleCase{"ZoomOutTwoPanned", {600, 400}, {200, 150}, false, 1, 2, {301, 211}, {7, 9}},
                      ScaleCase{"ZoomOutThreeOddSides", {301, 205}, {200, 150}, false, 1, 3},
                      ScaleCase{"AutoEnlargingFraction", {40, 30}, {200, 100}, true, 1, 1},
                      ScaleCase{"AutoShrinkingFraction", {300, 200}, {200, 150}, true, 1, 1},
                      ScaleCase{"AutoHalf", {400, 300}, {200, 150}, true, 1, 1},
                      ScaleCase{"AutoLargePicture", {1234, 987}, {200, 150}, true, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PicbufView, ZoomedPixelsLandWhereTheScaleSays)
{
    TPicbuf picbuf;
    showPicture(picbuf, {200, 150}, coordinatePicture(50, 40));
    picbuf.setScaleScreen(3);
    const QImage shot = grabViewport(picbuf);
    // 150 x 120 centred: image (0, 0) covers control 25..27 x 15..17.
    EXPECT_EQ(rgbOnly(shot.pixel(25, 15)), rgbOnly(qRgb(0, 0, 0)));
    EXPECT_EQ(rgbOnly(shot.pixel(27, 17)), rgbOnly(qRgb(0, 0, 0)));
    EXPECT_EQ(rgbOnly(shot.pixel(28, 18)), rgbOnly(qRgb(1, 1, 0)));
    EXPECT_EQ(rgbOnly(shot.pixel(25 + 3 * 49 + 2, 15 + 3 * 39)), rgbOnly(qRgb(49, 39, 0)));
    EXPECT_EQ(rgbOnly(shot.pixel(24, 15)), 0xC0C0C0u);
    EXPECT_EQ(rgbOnly(shot.pixel(25 + 150, 15)), 0xC0C0C0u);

    // 1:2 from the top-left: control (10, 20) averages image columns 20, 21 and rows 40, 41.
    picbuf.setImage(coordinatePicture(600, 400));
    picbuf.setScaleScreen(1);
    picbuf.setScaleImage(2);
    const QImage shrunk = grabViewport(picbuf);
    EXPECT_EQ(picbuf.ScreenToImageX(10), 20);
    EXPECT_EQ(picbuf.ScreenToImageY(20), 40);
    EXPECT_EQ(rgbOnly(shrunk.pixel(10, 20)), rgbOnly(qRgb(21, 41, 0))); // 20.5 and 40.5 round up
}

TEST(PicbufView, PalettePicturesShowTheirPaletteColours)
{
    for (const int depth : {1, 4, 8}) {
        SCOPED_TRACE(depth);
        TPicbuf picbuf;
        showPicture(picbuf, {160, 120}, test::palettePicture(37, 29, depth, 7u + depth));
        picbuf.setScaleScreen(2);
        expectPaintingMatchesConversions(picbuf);
        picbuf.setScaleScreen(1);
        picbuf.setScaleImage(2);
        expectPaintingMatchesConversions(picbuf);
        // One pixel checked by hand: control (80 - 37 + 2 * 5, ...) at 2:1 is image (5, 3).
        picbuf.setScaleImage(1);
        picbuf.setScaleScreen(2);
        const QImage shot = grabViewport(picbuf);
        const QPoint origin((160 - 74) / 2, (120 - 58) / 2);
        EXPECT_EQ(rgbOnly(shot.pixel(origin.x() + 10, origin.y() + 6)),
                  rgbOnly(picbuf.image().paletteEntry(picbuf.image().pixelIndex(5, 3))));
    }
}

TEST(PicbufView, TrueColourPicturesShowTheirExactColours)
{
    Image picture = test::flatPicture(30, 20, packRgb(10, 200, 30));
    picture.rgbRow(4)[7] = packRgb(250, 1, 128);
    TPicbuf picbuf;
    showPicture(picbuf, {120, 90}, picture);
    const QImage shot = grabViewport(picbuf);
    const QPoint origin((120 - 30) / 2, (90 - 20) / 2);
    EXPECT_EQ(rgbOnly(shot.pixel(origin.x(), origin.y())), rgbOnly(qRgb(10, 200, 30)));
    EXPECT_EQ(rgbOnly(shot.pixel(origin.x() + 7, origin.y() + 4)), rgbOnly(qRgb(250, 1, 128)));
}

TEST(PicbufView, BackgroundIsBackColourAroundThePictureAndEverywhereWhenEmpty)
{
    TPicbuf picbuf;
    picbuf.resize(100, 80);
    picbuf.show();
    const QImage empty = grabViewport(picbuf);
    EXPECT_EQ(rgbOnly(empty.pixel(0, 0)), 0xC0C0C0u);
    EXPECT_EQ(rgbOnly(empty.pixel(99, 79)), 0xC0C0C0u);

    picbuf.setImage(coordinatePicture(10, 10));
    picbuf.setAutoScale(false);
    picbuf.setBackColor(QColor(0, 0, 128));
    const QImage shot = grabViewport(picbuf);
    EXPECT_EQ(rgbOnly(shot.pixel(0, 0)), 0x000080u);
    EXPECT_EQ(rgbOnly(shot.pixel(44, 34)), 0x000080u);
    EXPECT_EQ(rgbOnly(shot.pixel(45, 35)), 0u); // image (0, 0) is black
}

TEST(PicbufView, SelectionOutlineShowsOnlyWhenAskedFor)
{
    TPicbuf picbuf;
    showPicture(picbuf, {100, 100}, test::flatPicture(50, 50, packRgb(128, 128, 128)));
    picbuf.setScaleScreen(2); // 100 x 100 at the origin
    picbuf.setSelection({5, 10, 20, 15});
    const QImage hidden = grabViewport(picbuf);
    EXPECT_EQ(rgbOnly(hidden.pixel(10, 20)), 0x808080u);

    picbuf.setSelectionVisible(true);
    const QImage shown = grabViewport(picbuf);
    // The outline runs along control x 10..49, y 20..49.
    for (const QPoint corner : {QPoint(10, 20), QPoint(49, 20), QPoint(10, 49), QPoint(49, 49)}) {
        const QRgb colour = rgbOnly(shown.pixel(corner));
        EXPECT_TRUE(colour == 0u || colour == 0xFFFFFFu) << corner.x() << ", " << corner.y();
    }
    EXPECT_EQ(rgbOnly(shown.pixel(30, 35)), 0x808080u);
    EXPECT_EQ(rgbOnly(shown.pixel(9, 20)), 0x808080u);
    EXPECT_EQ(rgbOnly(shown.pixel(50, 50)), 0x808080u);
}

TEST(PicbufView, ScrollBarsShowOnlyWhenAskedForAndThePictureIsLarger)
{
    TPicbuf picbuf;
    showPicture(picbuf, {200, 150}, coordinatePicture(400, 300));
    picbuf.setScrollBars(3);
    QCoreApplication::processEvents();
    EXPECT_TRUE(picbuf.horizontalScrollBar()->isVisible());
    EXPECT_TRUE(picbuf.verticalScrollBar()->isVisible());
    EXPECT_EQ(picbuf.horizontalScrollBar()->maximum(), 400 - picbuf.viewport()->width());
    EXPECT_EQ(picbuf.verticalScrollBar()->maximum(), 300 - picbuf.viewport()->height());

    picbuf.horizontalScrollBar()->setValue(50);
    EXPECT_EQ(picbuf.ScreenToImageX(0), 50);
    expectPaintingMatchesConversions(picbuf);

    picbuf.setScaleImage(4); // 100 x 75 fits: centred, no bars
    QCoreApplication::processEvents();
    EXPECT_FALSE(picbuf.horizontalScrollBar()->isVisible());
    EXPECT_EQ(picbuf.viewport()->size(), QSize(200, 150));

    picbuf.setScaleImage(1);
    picbuf.setAutoScale(true);
    QCoreApplication::processEvents();
    EXPECT_FALSE(picbuf.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(picbuf.verticalScrollBar()->isVisible());
}

TEST(PicbufView, PanImagePutsTheImagePointUnderTheControlPointWithinTheRange)
{
    TPicbuf picbuf;
    showPicture(picbuf, {200, 150}, coordinatePicture(400, 300));
    picbuf.PanImage(230, 170, 50, 40);
    EXPECT_EQ(picbuf.ScreenToImageX(50), 230);
    EXPECT_EQ(picbuf.ScreenToImageY(40), 170);
    EXPECT_EQ(rgbOnly(grabViewport(picbuf).pixel(50, 40)), rgbOnly(qRgb(230, 170, 0)));

    picbuf.PanImage(399, 299, 0, 0); // as far as the picture goes
    EXPECT_EQ(picbuf.ScreenToImageX(199), 399);
    EXPECT_EQ(picbuf.ScreenToImageY(149), 299);
    picbuf.PanImage(0, 0, 150, 100);
    EXPECT_EQ(picbuf.ScreenToImageX(0), 0);
    EXPECT_EQ(picbuf.ScreenToImageY(0), 0);
}

TEST(PicbufView, ChangingTheScaleKeepsTheCentreOfTheView)
{
    TPicbuf picbuf;
    showPicture(picbuf, {200, 150}, coordinatePicture(800, 600));
    picbuf.PanImage(300, 250, 100, 75);
    picbuf.setScaleScreen(4);
    EXPECT_EQ(picbuf.ScreenToImageX(100), 300);
    EXPECT_EQ(picbuf.ScreenToImageY(75), 250);
    picbuf.setScaleScreen(1);
    picbuf.setScaleImage(2);
    EXPECT_NEAR(picbuf.ScreenToImageX(100), 300, 1);
    EXPECT_NEAR(picbuf.ScreenToImageY(75), 250, 1);
}

TEST(PicbufView, LoadingANewPictureStartsAtTheTopLeft)
{
    TPicbuf picbuf;
    showPicture(picbuf, {200, 150}, coordinatePicture(800, 600));
    picbuf.PanImage(500, 400, 0, 0);
    picbuf.setImage(coordinatePicture(700, 500));
    EXPECT_EQ(picbuf.ScreenToImageX(0), 0);
    EXPECT_EQ(picbuf.ScreenToImageY(0), 0);
}

void sendMouse(TPicbuf& picbuf, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* viewport = picbuf.viewport();
    QMouseEvent event(type, QPointF(at), viewport->mapToGlobal(QPointF(at)), button, held, modifiers);
    QCoreApplication::sendEvent(viewport, &event);
}

TEST(PicbufView, MouseEventsCarryButtonShiftStateAndViewportPosition)
{
    TPicbuf picbuf;
    picbuf.resize(200, 150);
    picbuf.show();
    QStringList events;
    QObject::connect(&picbuf, &TPicbuf::MouseDown,
                     [&](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
                         events << QStringLiteral("down %1 %2 %3 %4").arg(int(b)).arg(int(s)).arg(x).arg(y);
                     });
    QObject::connect(&picbuf, &TPicbuf::MouseMove,
                     [&](Qt::MouseButtons b, Qt::KeyboardModifiers s, int x, int y) {
                         events << QStringLiteral("move %1 %2 %3 %4").arg(int(b)).arg(int(s)).arg(x).arg(y);
                     });
    QObject::connect(&picbuf, &TPicbuf::MouseUp,
                     [&](Qt::MouseButton b, Qt::KeyboardModifiers s, int x, int y) {
                         events << QStringLiteral("up %1 %2 %3 %4").arg(int(b)).arg(int(s)).arg(x).arg(y);
                     });
    QObject::connect(&picbuf, &TPicbuf::Click, [&] { events << QStringLiteral("click"); });

    sendMouse(picbuf, QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    sendMouse(picbuf, QEvent::MouseMove, {12, 25}, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    sendMouse(picbuf, QEvent::MouseButtonRelease, {13, 26}, Qt::LeftButton, Qt::NoButton);
    const QString shift = QString::number(int(Qt::ShiftModifier));
    EXPECT_EQ(events, QStringList({"down 1 " + shift + " 10 20", "move 1 " + shift + " 12 25", "up 1 0 13 26",
                                   "click"}));

    // Released outside the control: no click.
    events.clear();
    sendMouse(picbuf, QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(picbuf, QEvent::MouseButtonRelease, {250, 20}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(events, QStringList({"down 1 0 10 20", "up 1 0 250 20"}));

    // The right button reports down and up but is no click.
    events.clear();
    sendMouse(picbuf, QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    sendMouse(picbuf, QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(events, QStringList({"down 2 0 5 5", "up 2 0 5 5"}));
}

TEST(PicbufView, PointerMovesWithoutAButtonAreReportedAndNoCursorIsSet)
{
    TPicbuf picbuf;
    picbuf.resize(200, 150);
    picbuf.show();
    EXPECT_TRUE(picbuf.viewport()->hasMouseTracking());
    EXPECT_FALSE(picbuf.testAttribute(Qt::WA_SetCursor));
    EXPECT_FALSE(picbuf.viewport()->testAttribute(Qt::WA_SetCursor));
}

TEST(PicbufView, AHugePictureRepaintsQuicklyAtEveryScale)
{
    TPicbuf picbuf;
    picbuf.resize(640, 480);
    picbuf.show();
    picbuf.setImage(test::flatPicture(6000, 4000, packRgb(20, 40, 60)));
    struct Scale {
        bool autoScale;
        int screen;
        int image;
    };
    for (const Scale scale : {Scale{true, 1, 1}, Scale{false, 1, 1}, Scale{false, 20, 1}, Scale{false, 1, 20},
                              Scale{false, 1, 2}}) {
        picbuf.setAutoScale(scale.autoScale);
        picbuf.setScaleScreen(scale.screen);
        picbuf.setScaleImage(scale.image);
        picbuf.Refresh();
        QElapsedTimer timer;
        timer.start();
        const QImage shot = grabViewport(picbuf);
        EXPECT_LT(timer.elapsed(), 400) << scale.autoScale << " " << scale.screen << ":" << scale.image;
        EXPECT_EQ(rgbOnly(shot.pixel(shot.width() / 2, shot.height() / 2)), 0x14283Cu);
    }
}

} // namespace
} // namespace vask
