// The image window's part in dragging pictures: the picture as a drop target and as a
// drag source.

#include "controls/control_drag.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "dragdrop/drop_pipeline.h"
#include "imagewin/display_window.h"
#include "imagewin/drag_selection_window.h"
#include "processing/annotation.h"
#include "shell/fault_report.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "store/image_slots.h"
#include "utilities/annotation_page.h"
#include "utilities/utilities_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace vask {

namespace {

// Ours: the drop handler's own code, between the release handler's and the menus'.
constexpr int kAnnotationDropFaultCode = 368;

bool isTextBox(const QWidget* control)
{
    return qobject_cast<const QPlainTextEdit*>(control) != nullptr ||
           qobject_cast<const QTextEdit*>(control) != nullptr;
}

} // namespace

void TKV_Display::installDragHandlers()
{
    ControlDrag& layer = ControlDrag::instance();
    layer.setDragOverHandler(ChildPicbuf, [this](QWidget* source, int x, int y, bool& accept) {
        ChildPicbufDragOver(source, x, y, accept);
    });
    layer.setDropHandler(ChildPicbuf,
                         [this](QWidget* source, int x, int y) { ChildPicbufDragDrop(source, x, y); });
    layer.setEndDragHandler(ChildPicbuf,
                            [this](QWidget* target, int x, int y) { ChildPicbufEndDrag(target, x, y); });
}

void TKV_Display::ChildPicbufDragOver(QWidget* source, int x, int y, bool& accept)
{
    ResetDragMode(source);
    if (programState().DropInProgress != 0)
        return;
    if (qobject_cast<TLeadCtrl*>(source) != nullptr) {
        accept = false;
        return;
    }
    TKV_DragSelection* floating = programWindows().KV_DragSelection;
    const bool text = isTextBox(source);
    ShowDragTextOrImage(text, floating);
    if (text) {
        accept = true;
        if (floating != nullptr)
            floating->show();
        PositionFloatingImage(*ChildPicbuf, *ChildPicbuf, x, y, false);
        return;
    }
    auto* picture = qobject_cast<TPicbuf*>(source);
    const DropOptions options = currentDropOptions();
    if (options.preventSelf) {
        if (source == ChildPicbuf) {
            accept = false;
            return;
        }
        accept = picture != nullptr;
        if (picture != nullptr && options.dragAsImage) {
            if (floating != nullptr && HasDragImage(floating->KV_DS_Image) && floating->isHidden())
                floating->show();
            PositionFloatingImage(*picture, *ChildPicbuf, x, y, options.asImageWithSource);
        }
        return;
    }
    // Without the guard against self drops the own picture is accepted too, without a floating image.
    accept = picture != nullptr;
}

void TKV_Display::ChildPicbufDragDrop(QWidget* source, int x, int y)
{
    ProgramState& state = programState();
    if (state.DropInProgress != 0)
        return;
    if (auto* memo = qobject_cast<QPlainTextEdit*>(source)) {
        dropAnnotationText(*memo, x, y);
        return;
    }
    auto* picture = qobject_cast<TPicbuf*>(source);
    if (picture == nullptr || picture->Contents() != 1)
        return;
    state.DropInProgress = 1;
    QCoreApplication::processEvents();
    StoreUndoPicture(state.AutoUndo, *ChildPicbuf);
    const DropOptions options = currentDropOptions();
    EqualiseForDrop(*picture, *ChildPicbuf, options.autoEqualise, options.equaliseDepths, options.raise24,
                    options.remap, options.resize, options.fixedAspect);
    PasteImages(*ChildPicbuf, *picture, x, y, options.dstSelection, options.srcSelection);
}

// The annotation text drawn into the picture's selection, moved to the drop point. This path
// leaves DropInProgress alone: drawing text is quick and lets no other drop in.
void TKV_Display::dropAnnotationText(const QPlainTextEdit& memo, int x, int y)
{
    // The drawing reports no faults of its own.
    guardedHandler("UDisplay32v1", kAnnotationDropFaultCode, [&] {
        PositionSelectionAtDrop(*ChildPicbuf, *ChildPicbuf, x, y, false);
        StoreUndoPicture(programState().AutoUndo, *ChildPicbuf);
        const TKV_UTilities* utilities = programWindows().KV_UTilities;
        if (utilities == nullptr || utilities->annotationPage == nullptr)
            return;
        const AnnotationPage& page = *utilities->annotationPage;
        DrawAnnotationText(*ChildPicbuf, memo, page.KV_UT_Annotation_Transparent->isChecked(),
                           page.KV_UT_Annotation_Center->isChecked(),
                           page.KV_UT_Annotation_Underline->isChecked(),
                           page.KV_UT_Annotation_Italic->isChecked(), page.KV_UT_Annotation_Bold->isChecked(),
                           page.KV_UT_Annotation_AutoSize->isChecked());
    });
}

void TKV_Display::ChildPicbufEndDrag(QWidget*, int, int)
{
    ResetDragMode(ChildPicbuf);
    HideFloatingImage();
    SetDragState(1);
}

} // namespace vask
