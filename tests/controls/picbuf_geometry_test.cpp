#include "controls/picbuf_geometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vask {
namespace {

PicbufGeometry makeGeometry(QSize image, QSize viewport, bool autoScale, int screen, int imageUnits,
                            QPoint scroll = {})
{
    PicbufGeometry geometry;
    geometry.setImageSize(image);
    geometry.setViewportSize(viewport);
    geometry.setScale(autoScale, screen, imageUnits);
    geometry.setScroll(scroll);
    return geometry;
}

struct PlacementCase {
    const char* name;
    QSize image;
    QSize viewport;
    bool autoScale;
    int scaleScreen;
    int scaleImage;
    QSize content;
    QPoint origin;
    QSize scrollRange;
};

void PrintTo(const PlacementCase& c, std::ostream* os)
{
    *os << c.name;
}

class GeometryPlacement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(GeometryPlacement, ContentOriginAndScrollRangeFollowTheScale)
{
    const PlacementCase& c = GetParam();
    const PicbufGeometry geometry =
        makeGeometry(c.image, c.viewport, c.autoScale, c.scaleScreen, c.scaleImage);
    EXPECT_EQ(geometry.contentSize(), c.content);
    EXPECT_EQ(geometry.origin(), c.origin);
    EXPECT_EQ(geometry.scrollRange(), c.scrollRange);
}

INSTANTIATE_TEST_SUITE_P(
    Scales, GeometryPlacement,
    ::testing::Values(
        // A smaller picture is centred, a larger one starts at the top-left and scrolls.
        PlacementCase{"OneToOneSmaller", {50, 40}, {200, 150}, false, 1, 1, {50, 40}, {75, 55}, {0, 0}},
        PlacementCase{"OneToOneLarger", {400, 300}, {200, 150}, false, 1, 1, {400, 300}, {0, 0}, {200, 150}},
        PlacementCase{"ZoomInThree", {50, 40}, {200, 150}, false, 3, 1, {150, 120}, {25, 15}, {0, 0}},
        PlacementCase{"ZoomInTwenty", {50, 40}, {200, 150}, false, 20, 1, {1000, 800}, {0, 0}, {800, 650}},
        PlacementCase{"ZoomOutTwo", {600, 400}, {200, 150}, false, 1, 2, {300, 200}, {0, 0}, {100, 50}},
        PlacementCase{"ZoomOutOddSidesRoundUp", {7, 5}, {200, 150}, false, 1, 2, {4, 3}, {98, 73}, {0, 0}},
        PlacementCase{"ZoomOutMixedAxes", {600, 100}, {200, 150}, false, 1, 2, {300, 50}, {0, 50}, {100, 0}},
        // Auto scale fills the limiting side to the pixel and centres the other.
        PlacementCase{"AutoEnlargesByHeight", {40, 30}, {200, 100}, true, 1, 1, {134, 100}, {33, 0}, {0, 0}},
        PlacementCase{"AutoShrinksByWidth", {300, 200}, {200, 150}, true, 1, 1, {200, 134}, {0, 8}, {0, 0}},
        PlacementCase{"AutoExactHalf", {400, 300}, {200, 150}, true, 1, 1, {200, 150}, {0, 0}, {0, 0}},
        PlacementCase{
            "AutoIgnoresScaleProperties", {400, 300}, {200, 150}, true, 5, 1, {200, 150}, {0, 0}, {0, 0}},
        // Scale values below 1 count as 1.
        PlacementCase{"ZeroScaleImageIsOne", {50, 40}, {200, 150}, false, 1, 0, {50, 40}, {75, 55}, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PicbufGeometry, ControlPixelsNameTheImagePixelTheyLieInAtEveryScale)
{
    // 3:1 centred at x 25: control 25..27 show column 0, 24 shows column -1.
    const PicbufGeometry zoomIn = makeGeometry({50, 40}, {200, 150}, false, 3, 1);
    EXPECT_EQ(zoomIn.imageX(24), -1);
    EXPECT_EQ(zoomIn.imageX(25), 0);
    EXPECT_EQ(zoomIn.imageX(27), 0);
    EXPECT_EQ(zoomIn.imageX(28), 1);
    EXPECT_EQ(zoomIn.imageX(22), -1);
    EXPECT_EQ(zoomIn.imageX(21), -2);
    EXPECT_EQ(zoomIn.imageY(15 + 119), 39);
    EXPECT_EQ(zoomIn.imageY(15 + 120), 40);

    // 1:2 at the top-left: control 0 shows columns 0 and 1, named by the first.
    const PicbufGeometry zoomOut = makeGeometry({600, 400}, {200, 150}, false, 1, 2);
    EXPECT_EQ(zoomOut.imageX(0), 0);
    EXPECT_EQ(zoomOut.imageX(1), 2);
    EXPECT_EQ(zoomOut.imageX(-1), -2);
    EXPECT_EQ(zoomOut.imageY(149), 298);

    // Auto 10:3 (40 x 30 in 200 x 100, centred at x 33): exact thirds, no rounding drift.
    const PicbufGeometry autoScale = makeGeometry({40, 30}, {200, 100}, true, 1, 1);
    EXPECT_EQ(autoScale.screenUnits(), 100);
    EXPECT_EQ(autoScale.imageUnits(), 30);
    EXPECT_EQ(autoScale.imageX(33), 0);
    EXPECT_EQ(autoScale.imageX(36), 0); // 3 x 0.3 = 0.9
    EXPECT_EQ(autoScale.imageX(37), 1); // 4 x 0.3 = 1.2
    EXPECT_EQ(autoScale.imageX(32), -1);
    EXPECT_EQ(autoScale.imageY(99), 29);
    EXPECT_EQ(autoScale.imageY(100), 30);
}

TEST(PicbufGeometry, PictureRectHoldsExactlyTheControlPixelsThatNameImagePixels)
{
    for (const PicbufGeometry& geometry :
         {makeGeometry({7, 5}, {200, 150}, false, 1, 2), makeGeometry({40, 30}, {200, 100}, true, 1, 1),
          makeGeometry({300, 200}, {200, 150}, true, 1, 1),
          makeGeometry({50, 40}, {200, 150}, false, 3, 1)}) {
        const QRect picture = geometry.pictureRect();
        for (int x = -5; x < 205; ++x) {
            const int column = geometry.imageX(x);
            const bool inside = column >= 0 && column < geometry.imageSize().width();
            EXPECT_EQ(inside, x >= picture.left() && x <= picture.right()) << "control x " << x;
        }
        for (int y = -5; y < 155; ++y) {
            const int row = geometry.imageY(y);
            const bool inside = row >= 0 && row < geometry.imageSize().height();
            EXPECT_EQ(inside, y >= picture.top() && y <= picture.bottom()) << "control y " << y;
        }
    }
}

TEST(PicbufGeometry, ScrollMovesALargerPictureAndIsClampedToItsRange)
{
    const PicbufGeometry scrolled = makeGeometry({400, 300}, {200, 150}, false, 1, 1, {30, 40});
    EXPECT_EQ(scrolled.origin(), QPoint(-30, -40));
    EXPECT_EQ(scrolled.imageX(0), 30);
    EXPECT_EQ(scrolled.imageY(0), 40);

    const PicbufGeometry tooFar = makeGeometry({400, 300}, {200, 150}, false, 1, 1, {1000, -7});
    EXPECT_EQ(tooFar.origin(), QPoint(-200, 0));
    EXPECT_EQ(tooFar.imageX(199), 399);

    // A picture that fits does not scroll at all.
    const PicbufGeometry fits = makeGeometry({50, 40}, {200, 150}, false, 1, 1, {30, 40});
    EXPECT_EQ(fits.origin(), QPoint(75, 55));
}

TEST(PicbufGeometry, ScrollToShowPutsTheImagePointUnderTheControlPoint)
{
    const PicbufGeometry zoomIn = makeGeometry({100, 80}, {200, 150}, false, 4, 1);
    const QPoint scroll = zoomIn.scrollToShow(QPointF(40, 30), QPoint(20, 30));
    EXPECT_EQ(scroll, QPoint(40 * 4 - 20, 30 * 4 - 30));
    PicbufGeometry moved = zoomIn;
    moved.setScroll(scroll);
    EXPECT_EQ(moved.imageX(20), 40);
    EXPECT_EQ(moved.imageY(30), 30);

    // Beyond the range: as far as it goes.
    EXPECT_EQ(zoomIn.scrollToShow(QPointF(99, 79), QPoint(0, 0)), QPoint(400 - 200, 320 - 150));
    EXPECT_EQ(zoomIn.scrollToShow(QPointF(0, 0), QPoint(150, 100)), QPoint(0, 0));
}

TEST(PicbufGeometry, ImageToControlIsTheInverseAtPixelCorners)
{
    const PicbufGeometry zoomIn = makeGeometry({50, 40}, {200, 150}, false, 3, 1);
    EXPECT_EQ(zoomIn.imageToControl(QPointF(0, 0)), QPointF(25, 15));
    EXPECT_EQ(zoomIn.imageToControl(QPointF(10, 2)), QPointF(55, 21));
    const PicbufGeometry zoomOut = makeGeometry({600, 400}, {200, 150}, false, 1, 2, {10, 0});
    EXPECT_EQ(zoomOut.imageToControl(QPointF(100, 50)), QPointF(40, 25));
}

TEST(PicbufGeometry, HugePicturesAtTheLargestScaleStayInRange)
{
    const PicbufGeometry geometry = makeGeometry({32767, 32767}, {800, 600}, false, 20, 1, {655340 - 800, 0});
    EXPECT_EQ(geometry.contentSize(), QSize(655340, 655340));
    EXPECT_EQ(geometry.imageX(799), 32767 - 1);
    EXPECT_EQ(geometry.imageX(780), 32767 - 1);
    EXPECT_EQ(geometry.imageX(779), 32767 - 2);
}

} // namespace
} // namespace vask
