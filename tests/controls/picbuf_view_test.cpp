// What the picture buffer control paints agrees with what its conversions say: every control
// pixel of a grabbed viewport is checked against the image pixel ScreenToImageX/Y name.
#include "controls/picbuf.h"
#include "controls/picbuf_geometry.h"
#include "tests/controls/picbuf_test_support.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

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

// screen : image, where 0 : 0 is auto scale (which leaves the scale properties as they are).
void setScale(TPicbuf& picbuf, int screen, int image)
{
    picbuf.setAutoScale(screen == 0);
    picbuf.setScaleScreen(screen == 0 ? picbuf.ScaleScreen() : screen);
    picbuf.setScaleImage(screen == 0 ? picbuf.ScaleImage() : image);
}

// The control at the given size, shown, set to the scale, then given picture.
void showPicture(TPicbuf& picbuf, QSize control, Image picture, int screen = 1, int image = 1)
{
    picbuf.resize(control);
    picbuf.show();
    setScale(picbuf, screen, image);
    picbuf.setImage(std::move(picture));
}

// The grabbed viewport with the alpha byte dropped: 0x00RRGGBB per pixel.
QImage grabViewport(TPicbuf& picbuf)
{
    return picbuf.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb rgbAt(const QImage& shot, int x, int y)
{
    return shot.pixel(x, y) & 0xFFFFFFu;
}

// The mean colour of an image block, rounded to the nearest level.
QRgb blockMean(const Image& image, int left, int top, int right, int bottom)
{
    const std::uint64_t count = std::uint64_t(right - left) * std::uint64_t(bottom - top);
    std::uint64_t sum[3] = {};
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            for (int shift = 0; shift < 3; ++shift)
                sum[shift] += (image.pixelColour(x, y) >> (8 * shift)) & 0xFF;
    const auto mean = [&](int shift) { return ((sum[shift] + count / 2) / count) << (8 * shift); };
    return QRgb(mean(0) | mean(1) | mean(2));
}

// Every viewport pixel: background where the conversion leaves the picture, else the mean of the
// image pixels from the one named to the next control pixel's (just the one when enlarging).
void expectPaintingMatchesConversions(TPicbuf& picbuf)
{
    const Image& picture = picbuf.image();
    const QImage shot = grabViewport(picbuf);
    ASSERT_EQ(shot.size(), picbuf.viewport()->size());
    for (int y = 0; y < shot.height(); ++y) {
        const int row = picbuf.ScreenToImageY(y);
        const int bottom = std::min(std::max(picbuf.ScreenToImageY(y + 1), row + 1), picture.height());
        for (int x = 0; x < shot.width(); ++x) {
            const int column = picbuf.ScreenToImageX(x);
            const int right = std::min(std::max(picbuf.ScreenToImageX(x + 1), column + 1), picture.width());
            const QRgb expected = picture.contains(column, row)
                                      ? blockMean(picture, column, row, right, bottom)
                                      : picbuf.BackColor().rgb() & 0xFFFFFFu;
            if (rgbAt(shot, x, y) != expected) {
                ADD_FAILURE() << "control (" << x << ", " << y << ") image (" << column << ", " << row
                              << ") painted " << std::hex << rgbAt(shot, x, y) << " expected " << expected;
                return;
            }
        }
    }
}

struct ScaleCase {
    const char* name;
    QSize picture;
    QSize control;
    int screen; // 0 : 0 is auto scale
    int image;
    QRect shown; // the control pixels the whole picture covers
    // A pan (image point to control point) after the scale is set; none when x < 0.
    QPoint panImage{-1, -1};
    QPoint panControl{};
};

class PaintedScale : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(PaintedScale, ThePictureLiesWhereTheScaleSaysAndEveryControlPixelShowsTheImagePixelNamed)
{
    const ScaleCase& c = GetParam();
    TPicbuf picbuf;
    showPicture(picbuf, c.control, coordinatePicture(c.picture.width(), c.picture.height()), c.screen,
                c.image);
    if (c.panImage.x() >= 0)
        picbuf.PanImage(c.panImage.x(), c.panImage.y(), c.panControl.x(), c.panControl.y());
    ASSERT_EQ(picbuf.viewport()->size(), c.control);
    EXPECT_EQ(picbuf.pictureRectInControl(), QRectF(c.shown));
    expectPaintingMatchesConversions(picbuf);
}

// A smaller picture is centred, a larger one starts at the top-left and scrolls; auto scale fills
// the limiting side to the pixel and centres the other; scale values below 1 count as 1.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Scales, PaintedScale, ::testing::Values(
    ScaleCase{"OneToOneCentred", {50, 40}, {200, 150}, 1, 1, {75, 55, 50, 40}},
    ScaleCase{"OneToOnePanned", {400, 300}, {200, 150}, 1, 1, {-200, -150, 400, 300}, {300, 200}, {50, 40}},
    ScaleCase{"ZoomInThree", {50, 40}, {200, 150}, 3, 1, {25, 15, 150, 120}},
    ScaleCase{"ZoomInTwenty", {50, 40}, {200, 150}, 20, 1, {0, 0, 1000, 800}},
    ScaleCase{"ZoomInFourPanned", {100, 80}, {200, 150}, 4, 1, {-200, -167, 400, 320}, {61, 47}, {33, 21}},
    ScaleCase{"ZoomOutTwoPanned", {600, 400}, {200, 150}, 1, 2, {-100, -50, 300, 200}, {301, 211}, {7, 9}},
    ScaleCase{"ZoomOutOddSidesRoundUp", {7, 5}, {200, 150}, 1, 2, {98, 73, 4, 3}},
    ScaleCase{"ZoomOutMixedAxes", {600, 100}, {200, 150}, 1, 2, {0, 50, 300, 50}},
    ScaleCase{"ZoomOutThreeOddSides", {301, 205}, {200, 150}, 1, 3, {49, 40, 101, 69}},
    ScaleCase{"ZeroScaleImageIsOne", {50, 40}, {200, 150}, 1, 0, {75, 55, 50, 40}},
    ScaleCase{"AutoEnlargesByHeight", {40, 30}, {200, 100}, 0, 0, {33, 0, 134, 100}},
    ScaleCase{"AutoShrinksByWidth", {300, 200}, {200, 150}, 0, 0, {0, 8, 200, 134}},
    ScaleCase{"AutoLargePicture", {1234, 987}, {200, 150}, 0, 0, {6, 0, 188, 150}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(PicbufView, ZoomedPixelsLandWhereTheScaleSaysOnTheBackColourAndAutoScaleIsExact)
{
    TPicbuf picbuf;
    showPicture(picbuf, {200, 150}, Image());
    EXPECT_EQ(rgbAt(grabViewport(picbuf), 199, 149), 0xC0C0C0u); // empty: all back colour
    picbuf.setImage(coordinatePicture(50, 40));
    setScale(picbuf, 3, 1);
    picbuf.setBackColor(QColor(0, 0, 128));
    const QImage shot = grabViewport(picbuf);
    // 150 x 120 centred: image (0, 0) covers control 25..27 x 15..17.
    EXPECT_EQ(rgbAt(shot, 25, 15), 0u);
    EXPECT_EQ(rgbAt(shot, 27, 17), 0u);
    EXPECT_EQ(rgbAt(shot, 28, 18), 0x010100u);
    EXPECT_EQ(rgbAt(shot, 25 + 3 * 49 + 2, 15 + 3 * 39), 0x312700u); // image (49, 39)
    EXPECT_EQ(rgbAt(shot, 24, 15), 0x000080u);
    EXPECT_EQ(rgbAt(shot, 25 + 150, 15), 0x000080u);

    // 1:2 from the top-left: control (10, 20) averages image columns 20, 21 and rows 40, 41.
    picbuf.setImage(coordinatePicture(600, 400));
    setScale(picbuf, 1, 2);
    EXPECT_EQ(picbuf.ScreenToImageX(10), 20);
    EXPECT_EQ(picbuf.ScreenToImageY(20), 40);
    EXPECT_EQ(rgbAt(grabViewport(picbuf), 10, 20), 0x152900u); // 20.5 and 40.5 round up

    // Auto 10:3 (40 x 30 in 200 x 100 at x 33, the 1:2 ignored) converts in exact thirds.
    picbuf.resize(200, 100);
    picbuf.setImage(coordinatePicture(40, 30));
    setScale(picbuf, 0, 0);
    EXPECT_EQ(picbuf.ScreenToImageX(32), -1);
    EXPECT_EQ(picbuf.ScreenToImageX(36), 0);                   // 3 x 0.3 = 0.9
    EXPECT_EQ(picbuf.ScreenToImageX(37), 1);                   // 4 x 0.3 = 1.2
    EXPECT_EQ(rgbAt(grabViewport(picbuf), 37, 99), 0x011D00u); // image (1, 29)
}

TEST(PicbufView, PalettePicturesShowTheirPaletteColours)
{
    for (const int depth : {1, 4, 8}) {
        SCOPED_TRACE(depth);
        TPicbuf picbuf;
        showPicture(picbuf, {160, 120}, test::palettePicture(37, 29, depth, 7u + depth), 1, 2);
        expectPaintingMatchesConversions(picbuf);
        setScale(picbuf, 2, 1);
        expectPaintingMatchesConversions(picbuf);
        // One pixel by hand: 74 x 58 centred, so image (5, 3) is at control (43 + 10, 31 + 6).
        const Image& image = picbuf.image();
        EXPECT_EQ(rgbAt(grabViewport(picbuf), 43 + 10, 31 + 6),
                  image.paletteEntry(image.pixelIndex(5, 3)) & 0xFFFFFFu);
    }
}

TEST(PicbufView, SelectionOutlineShowsOnlyWhenAskedFor)
{
    TPicbuf picbuf;
    showPicture(picbuf, {100, 100}, createImage(24, 50, 50, packRgb(128, 128, 128)), 2); // fills it
    picbuf.setSelection({5, 10, 20, 15});
    EXPECT_EQ(rgbAt(grabViewport(picbuf), 10, 20), 0x808080u);

    picbuf.setSelectionVisible(true);
    const QImage shown = grabViewport(picbuf);
    // The outline runs along control x 10..49, y 20..49, black or white.
    for (const QPoint corner : {QPoint(10, 20), QPoint(49, 20), QPoint(10, 49), QPoint(49, 49)})
        EXPECT_EQ(rgbAt(shown, corner.x(), corner.y()) % 0xFFFFFFu, 0u) << corner.x() << ", " << corner.y();
    EXPECT_EQ(rgbAt(shown, 30, 35), 0x808080u);
    EXPECT_EQ(rgbAt(shown, 9, 20), 0x808080u);
    EXPECT_EQ(rgbAt(shown, 50, 50), 0x808080u);
}

TEST(PicbufView, ScrollBarsShowOnlyWhenAskedForAndThePictureIsLarger)
{
    TPicbuf picbuf;
    showPicture(picbuf, {200, 150}, coordinatePicture(400, 300));
    picbuf.setScrollBars(3);
    QCoreApplication::processEvents();
    EXPECT_TRUE(picbuf.horizontalScrollBar()->isVisible() && picbuf.verticalScrollBar()->isVisible());
    EXPECT_EQ(picbuf.horizontalScrollBar()->maximum(), 400 - picbuf.viewport()->width());
    EXPECT_EQ(picbuf.verticalScrollBar()->maximum(), 300 - picbuf.viewport()->height());
    picbuf.horizontalScrollBar()->setValue(50);
    EXPECT_EQ(picbuf.ScreenToImageX(0), 50);

    setScale(picbuf, 0, 0); // fits: no bars
    QCoreApplication::processEvents();
    EXPECT_FALSE(picbuf.horizontalScrollBar()->isVisible() || picbuf.verticalScrollBar()->isVisible());
    EXPECT_EQ(picbuf.viewport()->size(), QSize(200, 150));
}

TEST(PicbufView, PanImageAndScaleChangesKeepTheImagePointUnderTheControlPointWithinTheRange)
{
    TPicbuf picbuf;
    showPicture(picbuf, {200, 150}, coordinatePicture(800, 600));
    picbuf.PanImage(300, 250, 100, 75); // the centre of the view, which a new scale keeps
    picbuf.setScaleScreen(4);
    EXPECT_EQ(picbuf.ScreenToImageX(100), 300);
    EXPECT_EQ(picbuf.ScreenToImageY(75), 250);
    picbuf.PanImage(230, 170, 50, 40);
    EXPECT_EQ(picbuf.ScreenToImageX(50), 230);
    EXPECT_EQ(picbuf.ScreenToImageY(40), 170);
    EXPECT_EQ(rgbAt(grabViewport(picbuf), 50, 40), 0xE6AA00u); // image (230, 170)

    picbuf.PanImage(799, 599, 0, 0); // as far as the picture goes
    EXPECT_EQ(picbuf.ScreenToImageX(199), 799);
    EXPECT_EQ(picbuf.ScreenToImageY(149), 599);
    picbuf.PanImage(0, 0, 150, 100);
    EXPECT_EQ(picbuf.ScreenToImageX(0), 0);
    EXPECT_EQ(picbuf.ScreenToImageY(0), 0);

    picbuf.setImage(coordinatePicture(700, 500)); // a new picture starts at the top-left
    EXPECT_EQ(picbuf.ScreenToImageX(0), 0);
    EXPECT_EQ(picbuf.ScreenToImageY(0), 0);
}

TEST(PicbufView, MouseEventsCarryButtonShiftStateAndViewportPositionAndSetNoCursor)
{
    TPicbuf picbuf;
    picbuf.resize(200, 150);
    picbuf.show();
    QStringList events;
    const auto record = [&](const char* what) {
        return [&events, what](auto button, Qt::KeyboardModifiers shift, int x, int y) {
            events << QString::asprintf("%s %d %s %d %d", what, int(button), shift ? "shift" : "-", x, y);
        };
    };
    QObject::connect(&picbuf, &TPicbuf::MouseDown, record("down"));
    QObject::connect(&picbuf, &TPicbuf::MouseMove, record("move"));
    QObject::connect(&picbuf, &TPicbuf::MouseUp, record("up"));
    QObject::connect(&picbuf, &TPicbuf::Click, [&] { events << QStringLiteral("click"); });
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held,
                          Qt::KeyboardModifiers shift = Qt::NoModifier) {
        QMouseEvent event(type, at, picbuf.viewport()->mapToGlobal(at), button, held, shift);
        QCoreApplication::sendEvent(picbuf.viewport(), &event);
    };
    // A move without a button is reported too (Qt drops it without mouse tracking). Released
    // outside the control, or the right button: no click.
    send(QEvent::MouseMove, {3, 4}, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    send(QEvent::MouseMove, {12, 25}, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    send(QEvent::MouseButtonRelease, {13, 26}, Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, {10, 20}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {250, 20}, Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, {5, 5}, Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseButtonRelease, {5, 5}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(events,
              QStringList({"move 0 - 3 4", "down 1 shift 10 20", "move 1 shift 12 25", "up 1 - 13 26",
                           "click", "down 1 - 10 20", "up 1 - 250 20", "down 2 - 5 5", "up 2 - 5 5"}));
    EXPECT_FALSE(picbuf.testAttribute(Qt::WA_SetCursor) ||
                 picbuf.viewport()->testAttribute(Qt::WA_SetCursor));
}

TEST(PicbufGeometry, HugePicturesAtTheLargestScaleStayInRange)
{
    PicbufGeometry geometry;
    geometry.setImageSize({32767, 32767});
    geometry.setViewportSize({800, 600});
    geometry.setScale(false, 20, 1);
    geometry.setScroll({655340 - 800, 0});
    EXPECT_EQ(geometry.contentSize(), QSize(655340, 655340));
    EXPECT_EQ(geometry.scrollRange(), QSize(655340 - 800, 655340 - 600));
    EXPECT_EQ(geometry.imageX(799), 32767 - 1);
    EXPECT_EQ(geometry.imageX(780), 32767 - 1);
    EXPECT_EQ(geometry.imageX(779), 32767 - 2);
}

} // namespace
} // namespace vask
