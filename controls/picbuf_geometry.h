#pragma once

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

#include <cstdint>

namespace vask {

// Where the picture buffer control shows its picture: the scale, the picture's place in the
// viewport and the conversions between control and image pixels. No widgets, so tests and
// the painting code share exactly one arithmetic.
//
// The scale is a fraction: with auto scale the viewport side that limits the fit over the
// same picture side (so the fitted side fills the viewport to the pixel); otherwise
// ScaleScreen / ScaleImage (screen pixels per image pixels, each taken as at least 1).
// Placing: along an axis where the scaled picture is smaller than the viewport it is centred
// (with auto scale always); where it is larger it starts at the left or top edge and scrolls,
// scroll being the control pixels scrolled past (0 to scrollRange).
// Converting: control pixel c shows image pixel floor((c - origin) x imageUnits / screenUnits),
// computed in integers, so it is exact at every scale. When shrinking, control pixel c shows
// the average of the image pixels from imageX(c) up to imageX(c + 1) (at least one).
class PicbufGeometry {
public:
    void setImageSize(QSize size) { m_imageSize = size; }
    void setViewportSize(QSize size) { m_viewportSize = size; }
    // scaleScreen screen pixels show scaleImage image pixels; ignored with auto scale.
    void setScale(bool autoScale, int scaleScreen, int scaleImage);
    void setScroll(QPoint scroll) { m_scroll = scroll; }

    QSize imageSize() const { return m_imageSize; }
    QSize viewportSize() const { return m_viewportSize; }
    bool isEmpty() const { return m_imageSize.isEmpty(); }
    // Screen pixels per image pixels as a fraction; 1 / 1 without a picture.
    std::int64_t screenUnits() const;
    std::int64_t imageUnits() const;
    double zoom() const { return double(screenUnits()) / double(imageUnits()); }
    bool isShrinking() const { return imageUnits() > screenUnits(); }

    // The scaled picture's size in control pixels (each side rounded up).
    QSize contentSize() const;
    // The largest scroll along each axis: 0 where the picture fits.
    QSize scrollRange() const;
    // The scroll clamped to 0..scrollRange.
    QPoint clampedScroll(QPoint scroll) const;
    // The control position of image point (0, 0), in whole control pixels.
    QPoint origin() const;
    // The control pixels showing the picture (the part outside the viewport included).
    QRect pictureRect() const { return QRect(origin(), contentSize()); }

    int imageX(int controlX) const { return toImage(controlX - origin().x()); }
    int imageY(int controlY) const { return toImage(controlY - origin().y()); }
    QPointF imageToControl(QPointF pointInImage) const;
    // The scroll that puts the image point at the control point, clamped to the range.
    QPoint scrollToShow(QPointF pointInImage, QPoint pointInControl) const;

private:
    int toImage(std::int64_t offsetInControl) const;
    int placeAxis(int viewportSide, int contentSide, int scroll) const;

    QSize m_imageSize;
    QSize m_viewportSize;
    QPoint m_scroll;
    bool m_autoScale = true;
    int m_scaleScreen = 1;
    int m_scaleImage = 1;
};

} // namespace vask
