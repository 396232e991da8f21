#include "controls/picbuf_geometry.h"

#include <algorithm>
#include <cmath>

namespace vask {
namespace {

std::int64_t floorDiv(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t quotient = numerator / denominator;
    if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0)))
        --quotient;
    return quotient;
}

std::int64_t ceilDiv(std::int64_t numerator, std::int64_t denominator)
{
    return -floorDiv(-numerator, denominator);
}

int clampToInt(std::int64_t value)
{
    return static_cast<int>(std::clamp<std::int64_t>(value, -(std::int64_t(1) << 30), std::int64_t(1) << 30));
}

} // namespace

void PicbufGeometry::setScale(bool autoScale, int scaleScreen, int scaleImage)
{
    m_autoScale = autoScale;
    m_scaleScreen = std::max(1, scaleScreen);
    m_scaleImage = std::max(1, scaleImage);
}

// Auto scale fits by the side that limits: viewport width / image width when
// vw x ih <= vh x iw, else the heights.
std::int64_t PicbufGeometry::screenUnits() const
{
    if (!m_autoScale)
        return m_scaleScreen;
    if (m_imageSize.isEmpty() || m_viewportSize.isEmpty())
        return 1;
    const std::int64_t vw = m_viewportSize.width(), vh = m_viewportSize.height();
    const std::int64_t iw = m_imageSize.width(), ih = m_imageSize.height();
    return vw * ih <= vh * iw ? vw : vh;
}

std::int64_t PicbufGeometry::imageUnits() const
{
    if (!m_autoScale)
        return m_scaleImage;
    if (m_imageSize.isEmpty() || m_viewportSize.isEmpty())
        return 1;
    const std::int64_t vw = m_viewportSize.width(), vh = m_viewportSize.height();
    const std::int64_t iw = m_imageSize.width(), ih = m_imageSize.height();
    return vw * ih <= vh * iw ? iw : ih;
}

QSize PicbufGeometry::contentSize() const
{
    if (m_imageSize.isEmpty())
        return {};
    return {clampToInt(ceilDiv(m_imageSize.width() * screenUnits(), imageUnits())),
            clampToInt(ceilDiv(m_imageSize.height() * screenUnits(), imageUnits()))};
}

QSize PicbufGeometry::scrollRange() const
{
    if (m_autoScale)
        return {0, 0};
    const QSize content = contentSize();
    return {std::max(0, content.width() - m_viewportSize.width()),
            std::max(0, content.height() - m_viewportSize.height())};
}

QPoint PicbufGeometry::clampedScroll(QPoint scroll) const
{
    const QSize range = scrollRange();
    return {std::clamp(scroll.x(), 0, range.width()), std::clamp(scroll.y(), 0, range.height())};
}

int PicbufGeometry::placeAxis(int viewportSide, int contentSide, int scroll) const
{
    if (contentSide <= viewportSide)
        return (viewportSide - contentSide) / 2;
    return -scroll;
}

QPoint PicbufGeometry::origin() const
{
    const QSize content = contentSize();
    const QPoint scroll = clampedScroll(m_scroll);
    return {placeAxis(m_viewportSize.width(), content.width(), scroll.x()),
            placeAxis(m_viewportSize.height(), content.height(), scroll.y())};
}

int PicbufGeometry::toImage(std::int64_t offsetInControl) const
{
    return clampToInt(floorDiv(offsetInControl * imageUnits(), screenUnits()));
}

QPointF PicbufGeometry::imageToControl(QPointF pointInImage) const
{
    const QPoint at = origin();
    return {at.x() + pointInImage.x() * zoom(), at.y() + pointInImage.y() * zoom()};
}

QPoint PicbufGeometry::scrollToShow(QPointF pointInImage, QPoint pointInControl) const
{
    const double z = zoom();
    const QPoint wanted(static_cast<int>(std::lround(pointInImage.x() * z - pointInControl.x())),
                        static_cast<int>(std::lround(pointInImage.y() * z - pointInControl.y())));
    return clampedScroll(wanted);
}

} // namespace vask
