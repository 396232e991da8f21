#include "controls/picbuf.h"

#include "controls/picbuf_render.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPointer>
#include <QRegion>
#include <QScrollBar>

#include <algorithm>

namespace vask {
namespace {

constexpr int kScrollStep = 16;
// Selection sides are 16-bit positions and unsigned 16-bit extents.
constexpr int kSelectionPositionMin = -32768;
constexpr int kSelectionPositionMax = 32767;
constexpr int kSelectionExtentMax = 65535;

} // namespace

TPicbuf::TPicbuf(QWidget* parent) : QAbstractScrollArea(parent)
{
    // No frame: control coordinates are viewport coordinates, as the windows' arithmetic expects.
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    horizontalScrollBar()->setSingleStep(kScrollStep);
    verticalScrollBar()->setSingleStep(kScrollStep);
}

TPicbuf::~TPicbuf() = default;

// --- the picture -------------------------------------------------------------------------

void TPicbuf::setImage(Image image)
{
    m_image = std::move(image);
    m_selectLeft = m_selectTop = m_selectWidth = m_selectHeight = 0;
    ++m_generation;
    updateScrollRange();
    setScroll(QPoint(0, 0));
    viewport()->update();
    emit Change();
}

void TPicbuf::imageChanged()
{
    ++m_generation;
    updateScrollRange();
    viewport()->update();
    emit Change();
}

QString TPicbuf::InfoImage() const
{
    if (!hasImage())
        return {};
    return QStringLiteral("%1 x %2 x %3 Bit").arg(m_image.width()).arg(m_image.height()).arg(m_image.depth());
}

// --- display -------------------------------------------------------------------------------

PicbufGeometry TPicbuf::geometry() const
{
    PicbufGeometry geometry;
    geometry.setImageSize(hasImage() ? QSize(m_image.width(), m_image.height()) : QSize());
    geometry.setViewportSize(viewport()->size());
    geometry.setScale(m_autoScale, m_scaleScreen, m_scaleImage);
    geometry.setScroll(scroll());
    return geometry;
}

double TPicbuf::zoom() const
{
    return geometry().zoom();
}

QPointF TPicbuf::origin() const
{
    return QPointF(geometry().origin());
}

QPoint TPicbuf::scroll() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void TPicbuf::setScroll(QPoint scroll)
{
    horizontalScrollBar()->setValue(scroll.x());
    verticalScrollBar()->setValue(scroll.y());
}

// The bars carry the scroll position even when hidden, so PanImage works without them.
void TPicbuf::updateScrollRange()
{
    const Qt::ScrollBarPolicy policy =
        (m_scrollBars == 3 && !m_autoScale) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    const PicbufGeometry view = geometry();
    const QSize range = view.scrollRange();
    horizontalScrollBar()->setRange(0, range.width());
    verticalScrollBar()->setRange(0, range.height());
    horizontalScrollBar()->setPageStep(std::max(1, view.viewportSize().width()));
    verticalScrollBar()->setPageStep(std::max(1, view.viewportSize().height()));
}

template <typename Apply> void TPicbuf::changeScale(Apply apply)
{
    const PicbufGeometry before = geometry();
    const QPoint centre(viewport()->width() / 2, viewport()->height() / 2);
    const QPointF centreInImage = (QPointF(centre) - QPointF(before.origin())) / before.zoom();
    apply();
    updateScrollRange();
    if (hasImage())
        setScroll(geometry().scrollToShow(centreInImage, centre));
    viewport()->update();
}

void TPicbuf::setAutoScale(bool on)
{
    changeScale([&] { m_autoScale = on; });
}

void TPicbuf::setScaleImage(int value)
{
    changeScale([&] { m_scaleImage = std::max(1, value); });
}

void TPicbuf::setScaleScreen(int value)
{
    changeScale([&] { m_scaleScreen = std::max(1, value); });
}

void TPicbuf::setScrollBars(int value)
{
    m_scrollBars = value;
    updateScrollRange();
    viewport()->update();
}

void TPicbuf::PanImage(int imageX, int imageY, int controlX, int controlY)
{
    if (!hasImage())
        return;
    setScroll(geometry().scrollToShow(QPointF(imageX, imageY), QPoint(controlX, controlY)));
}

void TPicbuf::Refresh()
{
    ++m_generation;
    viewport()->update();
}

// Pictures are shown in true colour, so there is no system palette to realise: a repaint.
void TPicbuf::RealizePalette()
{
    viewport()->update();
}

int TPicbuf::ScreenToImageX(int controlX) const
{
    return hasImage() ? geometry().imageX(controlX) : controlX;
}

int TPicbuf::ScreenToImageY(int controlY) const
{
    return hasImage() ? geometry().imageY(controlY) : controlY;
}

QPointF TPicbuf::imageToControl(QPointF imagePoint) const
{
    return geometry().imageToControl(imagePoint);
}

QRectF TPicbuf::pictureRectInControl() const
{
    return QRectF(geometry().pictureRect());
}

// --- selection --------------------------------------------------------------------------------

void TPicbuf::setSelectLeft(int value)
{
    m_selectLeft = std::clamp(value, kSelectionPositionMin, kSelectionPositionMax);
    viewport()->update();
}

void TPicbuf::setSelectTop(int value)
{
    m_selectTop = std::clamp(value, kSelectionPositionMin, kSelectionPositionMax);
    viewport()->update();
}

void TPicbuf::setSelectWidth(int value)
{
    m_selectWidth = std::clamp(value, 0, kSelectionExtentMax);
    viewport()->update();
}

void TPicbuf::setSelectHeight(int value)
{
    m_selectHeight = std::clamp(value, 0, kSelectionExtentMax);
    viewport()->update();
}

void TPicbuf::setSelection(const Rect& area)
{
    setSelectLeft(area.left);
    setSelectTop(area.top);
    setSelectWidth(area.width);
    setSelectHeight(area.height);
}

void TPicbuf::setSelectionVisible(bool on)
{
    m_selectionVisible = on;
    viewport()->update();
}

std::optional<Rect> TPicbuf::selectionIfAny() const
{
    const Rect area = selection();
    if (area.isEmpty())
        return std::nullopt;
    return area;
}

Rect TPicbuf::clippedSelection() const
{
    const Rect area = selection();
    const int left = std::max(area.left, 0);
    const int top = std::max(area.top, 0);
    const int right = std::min(area.left + area.width, m_image.width());
    const int bottom = std::min(area.top + area.height, m_image.height());
    if (area.isEmpty() || right <= left || bottom <= top)
        return {};
    return {left, top, right - left, bottom - top};
}

void TPicbuf::setBackColor(const QColor& colour)
{
    m_backColor = colour;
    viewport()->update();
}

// --- painting ------------------------------------------------------------------------------------

const QImage& TPicbuf::visiblePicture(const PicbufGeometry& view, const QRect& visible)
{
    RenderedView& shown = m_rendered;
    if (shown.generation != m_generation || shown.visible != visible || shown.origin != view.origin() ||
        shown.screenUnits != view.screenUnits() || shown.imageUnits != view.imageUnits()) {
        shown.pixels = renderPictureArea(m_image, view, visible);
        shown.generation = m_generation;
        shown.visible = visible;
        shown.origin = view.origin();
        shown.screenUnits = view.screenUnits();
        shown.imageUnits = view.imageUnits();
    }
    return shown.pixels;
}

void TPicbuf::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const PicbufGeometry view = geometry();
    const QRect visible = hasImage() ? view.pictureRect().intersected(viewport()->rect()) : QRect();
    for (const QRect& part : event->region() - QRegion(visible))
        painter.fillRect(part, m_backColor);
    if (!visible.isEmpty()) {
        const QImage& pixels = visiblePicture(view, visible);
        const QRect exposed = event->rect().intersected(visible);
        if (!pixels.isNull() && !exposed.isEmpty())
            painter.drawImage(exposed.topLeft(), pixels, exposed.translated(-visible.topLeft()));
    }
    if (m_selectionVisible && hasImage())
        drawSelectionOutline(painter, view);
}

// A dashed black line over a white one shows on any picture.
void TPicbuf::drawSelectionOutline(QPainter& painter, const PicbufGeometry& view) const
{
    const Rect area = selection();
    if (area.isEmpty())
        return;
    const QPointF topLeft = view.imageToControl(QPointF(area.left, area.top));
    const QPointF bottomRight = view.imageToControl(QPointF(area.left + area.width, area.top + area.height));
    // drawRect strokes one pixel beyond the rectangle's size: the outline is the selection's
    // first and last control pixels.
    const QPoint first = topLeft.toPoint();
    const QPoint end = bottomRight.toPoint();
    const QRect outline(first,
                        QSize(std::max(0, end.x() - first.x() - 1), std::max(0, end.y() - first.y() - 1)));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(outline);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(outline);
}

void TPicbuf::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    viewport()->update();
}

void TPicbuf::scrollContentsBy(int, int)
{
    viewport()->update();
}

// --- mouse ------------------------------------------------------------------------------------------

void TPicbuf::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        m_pressPoint = at;
    }
    event->accept();
    emit MouseDown(event->button(), event->modifiers(), at.x(), at.y());
}

void TPicbuf::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    event->accept();
    emit MouseMove(event->buttons(), event->modifiers(), at.x(), at.y());
}

// Click follows MouseUp for a left-button press released inside the control.
void TPicbuf::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool click = event->button() == Qt::LeftButton && m_pressed && viewport()->rect().contains(at);
    if (event->button() == Qt::LeftButton)
        m_pressed = false;
    event->accept();
    const QPointer<TPicbuf> alive(this);
    emit MouseUp(event->button(), event->modifiers(), at.x(), at.y());
    if (click && alive)
        emit Click();
}

} // namespace vask
