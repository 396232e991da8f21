#include "imagewin/display_mouse.h"
#include "controls/control_drag.h"
#include "controls/picbuf.h"
#include "dragdrop/drop_pipeline.h"
#include "imagewin/display_window.h"
#include "processing/annotation.h"
#include "shell/fault_report.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"
#include "store/image_slots.h"
#include "utilities/utilities_window.h"

#include <QCheckBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStyle>

#include <algorithm>

namespace vask {

namespace {

constexpr const char* kDisplayUnit = "UDisplay32v1";
constexpr int kPressFault = 234;
constexpr int kMoveFault = 295;
constexpr int kReleaseFault = 339;

// The rubber band's layer: covers the viewport, lets every mouse event through and paints
// only the outline, inverting what lies under it in a dotted line as a focus rectangle does.
class RubberBandCanvas : public QWidget {
public:
    explicit RubberBandCanvas(QWidget* viewport) : QWidget(viewport)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(viewport->rect());
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        const RubberBandRect& band = mouseDragState().RubberBand;
        if (band == RubberBandRect{})
            return;
        QPainter painter(this);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
        // Corners ordered by hand: QRect::normalized() moves a reversed edge by one pixel.
        painter.drawRect(QRect(QPoint(std::min(band.left, band.right), std::min(band.top, band.bottom)),
                               QPoint(std::max(band.left, band.right), std::max(band.top, band.bottom))));
    }
};

// The utilities window's control by its name; null before the window exists.
template <typename Control> Control* utilityControl(const char* name)
{
    QWidget* utilities = programWindows().KV_UTilities;
    return utilities != nullptr ? utilities->findChild<Control*>(QLatin1String(name)) : nullptr;
}

bool utilityChecked(const char* name)
{
    const QCheckBox* box = utilityControl<QCheckBox>(name);
    return box != nullptr && box->isChecked();
}

int utilityValue(const char* name, int fallback)
{
    const QSpinBox* edit = utilityControl<QSpinBox>(name);
    return edit != nullptr ? edit->value() : fallback;
}

void redrawRubberBand()
{
    if (QWidget* canvas = mouseDragState().rubberBandCanvas) {
        canvas->setGeometry(canvas->parentWidget()->rect());
        canvas->update();
    }
}

void endRubberBand()
{
    MouseDragState& state = mouseDragState();
    state.RubberBand = {};
    if (QWidget* canvas = state.rubberBandCanvas)
        canvas->deleteLater();
    state.rubberBandCanvas = nullptr;
}

// Panning stops outside the area the scroll bars leave free, and at the top and left edges.
bool insidePanArea(const TPicbuf& picture, int x, int y)
{
    const int thumb = picture.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &picture);
    return x >= 1 && y >= 1 && x < picture.width() - thumb && y < picture.height() - thumb;
}

} // namespace

MouseDragState& mouseDragState()
{
    static MouseDragState state;
    return state;
}

void TKV_Display::ChildPicbufMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y)
{
    if (programState().DropInProgress)
        return;
    guardedHandler(kDisplayUnit, kPressFault, [&] {
        MouseDragState& state = mouseDragState();
        state.DownPoint = QPoint(x, y);
        state.DownImagePoint = QPoint(asShort(ChildPicbuf->ScreenToImageX(asShort(x))),
                                      asShort(ChildPicbuf->ScreenToImageY(asShort(y))));
        if (programState().CurrentMouseFunction == kSelectionFunction && button == Qt::LeftButton) {
            endRubberBand();
            state.rubberBandCanvas = new RubberBandCanvas(ChildPicbuf->viewport());
        }
    });
}

void TKV_Display::ChildPicbufMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers, int x, int y)
{
    if (programState().DropInProgress || !ChildPicbuf->hasImage())
        return;
    guardedHandler(kDisplayUnit, kMoveFault, [&] {
        const int function = programState().CurrentMouseFunction;
        ControlDrag& drag = ControlDrag::instance();
        if (function != kDragDropFunction && drag.dragMode(ChildPicbuf) == ControlDrag::DragMode::Automatic)
            drag.setDragMode(ChildPicbuf, ControlDrag::DragMode::Manual);
        ShowPointerStatus(*ChildPicbuf, x, y);
        ShowMouseFunction(function);
        SetMouseCursor(function);

        MouseDragState& state = mouseDragState();
        const bool left = buttons.testFlag(Qt::LeftButton);
        switch (function) {
        case kSelectionFunction:
            if (left) {
                state.RubberBand = {state.DownPoint.x(), state.DownPoint.y(), x, y};
                redrawRubberBand();
                ShowSelectionStatus(*ChildPicbuf, QRect(state.DownPoint, QPoint(x, y)), programStatusBar());
            }
            break;
        case kPanFunction:
            if (left && insidePanArea(*ChildPicbuf, x, y))
                ChildPicbuf->PanImage(state.DownImagePoint.x(), state.DownImagePoint.y(), x, y);
            break;
        case kDynamicZoomFunction:
            if (TPicbuf* zoom = utilityControl<TPicbuf>("KV_UT_Zoom_ZoomImage")) {
                DynamicZoom(*ChildPicbuf, *zoom, x, buttons, utilityValue("KV_UT_Zoom_ZoomHeight", 75),
                            utilityValue("KV_UT_Zoom_ZoomWidth", 75), y);
            }
            break;
        default:
            break;
        }
    });
}

void TKV_Display::ChildPicbufMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)
{
    if (programState().DropInProgress)
        return;
    std::uint8_t& function = programState().CurrentMouseFunction;
    // The right button may be clicked while the left one drags: the selection goes on.
    if (function == kSelectionFunction && button == Qt::RightButton)
        return;
    guardedHandler(kDisplayUnit, kReleaseFault, [&] {
        if (function == kSelectionFunction) {
            endRubberBand();
            if (!shift.testFlag(Qt::AltModifier) && utilityChecked("KV_UT_DragDrop_DragSelectionasImage"))
                PrepareDragImage(*ChildPicbuf);
            function = kNoFunction;
        } else if (function == kDrawLinesFunction) {
            // A line needs the annotation page for its colour; without it nothing is drawn.
            if (const QPlainTextEdit* text = utilityControl<QPlainTextEdit>("KV_UT_Annotation_Text")) {
                MakeAutoUndoCopy();
                const MouseDragState& state = mouseDragState();
                DrawAnnotationLine(*ChildPicbuf, Point{state.DownImagePoint.x(), state.DownImagePoint.y()},
                                   Point{asShort(ChildPicbuf->ScreenToImageX(asShort(x))),
                                         asShort(ChildPicbuf->ScreenToImageY(asShort(y)))},
                                   utilityValue("KV_UT_Annotation_LineWidth", 2),
                                   utilityChecked("KV_UT_Annotation_PrefWidth"), *text,
                                   utilityChecked("KV_UT_Annotation_DoubleArrows"),
                                   utilityChecked("KV_UT_Annotation_WithArrows"));
            }
            function = kNoFunction;
        }
    });
    ShowMouseFunction(function);
    SetMouseCursor(function);
}

} // namespace vask
