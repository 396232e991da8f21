#include "dragdrop/drop_pipeline.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "imagewin/display_window.h"
#include "imagewin/drag_selection_window.h"
#include "processing/depth_conversion.h"
#include "shell/fault_report.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"
#include "store/image_load_save.h"
#include "utilities/depth_page.h"
#include "utilities/drag_drop_options_page.h"
#include "utilities/utilities_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QRadioButton>

namespace vask {

namespace {

constexpr const char* kUnit = "UDragDrop32v1";

bool checked(const QAbstractButton* box, bool fallback)
{
    return box != nullptr ? box->isChecked() : fallback;
}

} // namespace

DropOptions currentDropOptions()
{
    DropOptions options;
    const TKV_UTilities* utilities = programWindows().KV_UTilities;
    if (utilities == nullptr || utilities->dragDropOptionsPage == nullptr)
        return options;
    const DragDropOptionsPage& page = *utilities->dragDropOptionsPage;
    options.dstSelection = checked(page.KV_UT_DragDrop_DstSelection, options.dstSelection);
    options.srcSelection = checked(page.KV_UT_DragDrop_SrcSelection, options.srcSelection);
    options.preventSelf = checked(page.KV_UT_DragDrop_PSelf, options.preventSelf);
    options.autoEqualise = checked(page.KV_UT_DragDrop_AutoEqualise, options.autoEqualise);
    options.raise24 = checked(page.KV_UT_DragDrop_Raise24, options.raise24);
    options.equaliseDepths = checked(page.KV_UT_DragDrop_EBitDepths, options.equaliseDepths);
    options.remap = checked(page.KV_UT_DragDrop_Remap, options.remap);
    options.resize = checked(page.KV_UT_DragDrop_Resize, options.resize);
    options.fixedAspect = checked(page.KV_UT_DragDrop_FAspect, options.fixedAspect);
    options.dragAsImage = checked(page.KV_UT_DragDrop_DragSelectionasImage, options.dragAsImage);
    options.asImageWithSource = checked(page.KV_UT_DragDrop_AsImagewithSource, options.asImageWithSource);
    return options;
}

QString droppedImageCaption(const QWidget* source)
{
    const auto* picture = qobject_cast<const TPicbuf*>(source);
    if (picture != nullptr && qobject_cast<const TKV_Display*>(picture->parentWidget()) != nullptr &&
        static_cast<const TKV_Display*>(picture->parentWidget())->ChildPicbuf == picture)
        return QStringLiteral("[Copy] ") + QFileInfo(picture->FileName()).fileName();
    return QStringLiteral("Dropped Image");
}

void DropAsNewWindow(QWidget* source, int x, int y)
{
    if (const auto* picture = qobject_cast<TPicbuf*>(source); picture != nullptr && picture->Contents() != 1)
        return;
    if (const auto* lead = qobject_cast<TLeadCtrl*>(source); lead != nullptr && lead->Bitmap() == 0)
        return;
    SetBusy(true);
    guardedHandler(kUnit, 107, [&] {
        TKV_Display* window = CreateImageWindow();
        QWidget* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
        (frame != nullptr ? frame : static_cast<QWidget*>(window))->move(x, y);
        PreparePicture(*window->ChildPicbuf);
        QCoreApplication::processEvents();
        TransferImage(source, window->ChildPicbuf);
        window->setWindowTitle(droppedImageCaption(source));
    });
    SetBusy(false);
}

void EqualiseForDrop(TPicbuf& source, TPicbuf& destination, bool autoEqualise, bool equaliseDepths,
                     bool raise24, bool remap, bool resize, bool fixedAspect)
{
    if (!autoEqualise)
        return;
    SetBusy(true);
    bool raised = false;
    guardedHandler(kUnit, 175, [&] {
        if (resize) {
            destination.setResizeMode(fixedAspect ? 0 : 3);
            destination.setAssignMode(3);
        }
        if (raise24) {
            if (source.ColorDepth() < 24) {
                ShowProgress(QStringLiteral("Src:- Converting to 24"));
                ConvertDepth(source, 24);
            }
            if (destination.ColorDepth() < 24) {
                ShowProgress(QStringLiteral("Dst:- Converting to 24"));
                ConvertDepth(destination, 24);
            }
            raised = true;
            return;
        }
        if (equaliseDepths && source.ColorDepth() != destination.ColorDepth()) {
            ShowProgress(QStringLiteral("Equalising Depths"));
            ConvertDepth(source, destination.ColorDepth());
        }
        if (source.ColorDepth() < 24 && remap) {
            ShowProgress(QStringLiteral("Mapping Palettes"));
            source.MapPalette(destination);
        }
    });
    ShowProgress(QStringLiteral("No Function"));
    // After raising, the paste that follows gives the idle cursor back.
    if (!raised)
        SetBusy(false);
}

void PasteImages(TPicbuf& destination, TPicbuf& source, int x, int y, bool useDstSelection,
                 bool useSrcSelection)
{
    SetBusy(true);
    guardedHandler(kUnit, 248, [&] {
        ShowProgress(QStringLiteral("Pasting Images"));
        const DropOptions options = currentDropOptions();
        if (options.dragAsImage)
            PositionSelectionAtDrop(source, destination, x, y, options.asImageWithSource);
        destination.AssignImage(useDstSelection, source, useSrcSelection);
    });
    ShowProgress(QStringLiteral("No Function"));
    SetBusy(false);
}

void PositionSelectionAtDrop(const TPicbuf& source, TPicbuf& destination, int x, int y, bool copySize)
{
    guardedHandler(kUnit, 273, [&] {
        // One pixel right, two down: where the floating image's corner showed.
        destination.setSelectLeft(destination.ScreenToImageX(x + 1));
        destination.setSelectTop(destination.ScreenToImageY(y + 2));
        if (copySize) {
            const int height = source.SelectHeight();
            const int width = source.SelectWidth();
            destination.setSelectHeight(height);
            destination.setSelectWidth(width);
        }
    });
}

} // namespace vask
