#include "dragdrop/drop_pipeline.h"

#include "controls/control_drag.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "controls/program_cursors.h"
#include "imagewin/drag_selection_window.h"
#include "shell/fault_report.h"
#include "shell/master_form.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"
#include "utilities/utilities_window.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>

namespace vask {

namespace {

constexpr const char* kUnit = "UDragDrop32v1";

bool isMemo(const QWidget* control)
{
    return qobject_cast<const QPlainTextEdit*>(control) != nullptr ||
           qobject_cast<const QTextEdit*>(control) != nullptr;
}

bool isDragControl(const QWidget* control)
{
    return qobject_cast<const TPicbuf*>(control) != nullptr ||
           qobject_cast<const TLeadCtrl*>(control) != nullptr || isMemo(control);
}

// The utilities pages' "DD" buttons that arm a drag of their page's picture.
QList<QToolButton*> utilityDragButtons()
{
    QList<QToolButton*> buttons;
    if (TKV_UTilities* utilities = programWindows().KV_UTilities) {
        for (QToolButton* button : utilities->findChildren<QToolButton*>())
            if (button->text() == QStringLiteral("DD"))
                buttons << button;
    }
    return buttons;
}

} // namespace

int DropPointToScreenX(int x, const TPicbuf& destination)
{
    int screen = x;
    // The frame, palette, caption and border offsets all come from the window system here.
    guardedHandler(kUnit, 344, [&] { screen = destination.viewport()->mapToGlobal(QPoint(x, 0)).x(); });
    return screen;
}

int DropPointToScreenY(int y, const TPicbuf& destination)
{
    int screen = y;
    guardedHandler(kUnit, 325, [&] { screen = destination.viewport()->mapToGlobal(QPoint(0, y)).y(); });
    return screen;
}

void PositionFloatingImage(const TPicbuf& source, const TPicbuf& destination, int x, int y,
                           bool useSourceSize)
{
    guardedHandler(kUnit, 304, [&] {
        TKV_DragSelection* floating = programWindows().KV_DragSelection;
        if (floating == nullptr)
            return;
        const double ratio = double(destination.ScaleImage()) / double(destination.ScaleScreen());
        floating->move(DropPointToScreenX(x, destination) + 1, DropPointToScreenY(y, destination) + 1);
        const TPicbuf& sized = useSourceSize ? source : destination;
        floating->resize(int(sized.SelectWidth() / ratio), int(sized.SelectHeight() / ratio));
    });
}

void PrepareDragImage(const TPicbuf& picture)
{
    SetBusy(true);
    guardedHandler(kUnit, 363, [&] {
        ShowProgress(QStringLiteral("Preparing Drag Image"));
        TKV_DragSelection* floating = programWindows().KV_DragSelection;
        if (floating == nullptr || !picture.hasImage())
            return;
        TPicbuf& thumbnail = *floating->KV_DS_Image;
        thumbnail.CreateImage(picture.ColorDepth(), 100, 100, 0xFFFF00);
        // The selection stretched over the whole thumbnail.
        thumbnail.setAssignMode(3);
        thumbnail.setResizeMode(3);
        thumbnail.AssignImage(false, picture, true);
    });
    SetBusy(false);
    ShowProgress(QStringLiteral("No Function"));
}

bool HasDragImage(const TPicbuf* picture)
{
    return picture != nullptr && picture->Contents() == 1;
}

void ArmImageDrag(TPicbuf* picture)
{
    if (HasDragImage(picture))
        ControlDrag::instance().setDragMode(picture, ControlDrag::DragMode::Automatic);
}

void SetDragState(int state)
{
    guardedHandler(kUnit, 435, [&] {
        ProgramState& program = programState();
        const bool leaving = state != 0;
        if (leaving) {
            program.DropInProgress = 0;
            program.CurrentMouseFunction = kNoFunction;
        } else {
            program.CurrentMouseFunction = kDragDropFunction;
        }
        if (TKV_Masterform* master = programWindows().KV_Masterform;
            master != nullptr && master->KV_Masterform_Drag_Icon != nullptr)
            master->KV_Masterform_Drag_Icon->setEnabled(leaving);
        for (QToolButton* button : utilityDragButtons())
            button->setEnabled(leaving);
        SetMouseCursor(program.CurrentMouseFunction);
        ShowMouseFunction(program.CurrentMouseFunction);
    });
}

void SetUtilityDragModes(int mode)
{
    guardedHandler(kUnit, 479, [&] {
        ShowProgress(QStringLiteral("Preparing DragModes"));
        if (TKV_UTilities* utilities = programWindows().KV_UTilities) {
            const auto dragMode =
                mode == 0 ? ControlDrag::DragMode::Automatic : ControlDrag::DragMode::Manual;
            for (QWidget* control : utilities->findChildren<QWidget*>())
                if (isDragControl(control))
                    ControlDrag::instance().setDragMode(control, dragMode);
        }
    });
    ShowProgress(QStringLiteral("No Function"));
}

void ResetDragMode(QWidget* control)
{
    guardedHandler(kUnit, 497, [&] {
        if (control != nullptr && isDragControl(control))
            ControlDrag::instance().setDragMode(control, ControlDrag::DragMode::Manual);
    });
}

void HideFloatingImage()
{
    try {
        setApplicationCursor(kDefaultCursor);
        TKV_DragSelection* floating = programWindows().KV_DragSelection;
        if (floating != nullptr && floating->isVisible())
            floating->hide();
    } catch (...) {
    }
}

void CancelAutoDrag(QWidget* control, int mouseFunction)
{
    guardedHandler(kUnit, 536, [&] {
        const bool image =
            qobject_cast<TPicbuf*>(control) != nullptr || qobject_cast<TLeadCtrl*>(control) != nullptr;
        if (image && mouseFunction != kDragDropFunction &&
            ControlDrag::instance().dragMode(control) == ControlDrag::DragMode::Automatic)
            ControlDrag::instance().setDragMode(control, ControlDrag::DragMode::Manual);
    });
}

void ShowDragTextOrImage(bool isText, TKV_DragSelection* floating)
{
    guardedHandler(kUnit, 606, [&] {
        if (floating == nullptr)
            return;
        floating->KV_DS_Text->setVisible(isText);
        floating->KV_DS_Image->setVisible(!isText);
    });
}

} // namespace vask
