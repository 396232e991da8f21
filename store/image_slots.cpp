#include "store/image_slots.h"

#include "controls/dialog_service.h"
#include "controls/picbuf.h"
#include "controls/program_cursors.h"
#include "dragdrop/drop_pipeline.h"
#include "imagewin/background_window.h"
#include "imagewin/display_window.h"
#include "shell/fault_report.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"
#include "store/image_load_save.h"
#include "utilities/utilities_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>

#include <stdexcept>

namespace vask {

namespace {

const char* const kUnit = "UIKUtil32v1";

const char* const kNoUndo = "Information:- There are no changes to undo. OK to continue.";
const char* const kNoMarkedImages = "Information:- There are no Marked Images. OK to continue.";
const char* const kNothingMarked = "Information:- No Images have been \"Marked\" for Retrieval.";
const char* const kPrivateClipboardEmpty = "Image Vaskolens clipboard is empty. No data to copy.";
const char* const kSystemClipboardEmpty =
    "The Windows Clipboard is empty or format is not a valid DIB. NT 3.5x users should use \"Image "
    "Vaskolens Clipboard\" [File Menu] as some NT clipboards may not be supported. All NT 3.51 users can "
    "copy to the clipboard, and can Import clipboard data using the Capture Clipboard Data option [F5]. "
    "The \"Paste to\" options may not be available.  These restrictions do not apply to Win95 or NT4.x.";

// The silver fill of a picture made from a selection (a Windows colour value).
constexpr quint32 kSilver = 12632256;

[[noreturn]] void fail(const char* text)
{
    throw std::runtime_error(text);
}

void information(const char* text)
{
    DialogService::instance().information(QString::fromLatin1(text));
}

// Busy with the given cursor while a slot operation runs; at the end "No Function" (unless
// the operation stopped quietly) and the default cursor, also after a reported fault.
class SlotBusyGuard {
public:
    explicit SlotBusyGuard(int cursor) { SetBusy(true, cursor); }
    ~SlotBusyGuard()
    {
        if (m_showIdle)
            ShowProgress(QStringLiteral("No Function"));
        SetBusy(false);
    }
    SlotBusyGuard(const SlotBusyGuard&) = delete;
    SlotBusyGuard& operator=(const SlotBusyGuard&) = delete;
    void quiet() { m_showIdle = false; }

private:
    bool m_showIdle = true;
};

TKV_BackGround& background()
{
    TKV_BackGround* window = programWindows().KV_BackGround;
    if (window == nullptr)
        fail("The image stores do not exist.");
    return *window;
}

// A slot copy is a value copy: the destination's previous picture is replaced.
void slotCopy(const TPicbuf& source, TPicbuf& destination)
{
    destination.setImage(source.image());
}

TPicbuf* activePicture()
{
    TKV_Display* window = activeImageWindow();
    return window != nullptr ? window->ChildPicbuf : nullptr;
}

// The undo and the marked slot differ only in these.
struct SlotKind {
    int faultCode;
    const char* storeText;
    const char* restoreText;
    const char* emptySlotText;
    const char* neverStoredText;
    TPicbuf* TKV_BackGround::*slot;
    bool ProgramState::*available;
};

const SlotKind kUndoSlot = {771,
                            "Creating Undo Image",
                            "Restoring Undo Image",
                            kNoUndo,
                            kNoUndo,
                            &TKV_BackGround::KV_BCK_AutoUndo,
                            &ProgramState::UndoAvailable};
const SlotKind kMarkedSlot = {838,
                              "Storing Marked Image",
                              "Restoring Marked Image",
                              kNoMarkedImages,
                              kNothingMarked,
                              &TKV_BackGround::KV_BCK_MarkedUndo,
                              &ProgramState::MarkedAvailable};

void storeOrRestore(const SlotKind& kind, bool store, bool allowed)
{
    SlotBusyGuard busy(kUndoCursor);
    guardedHandler(kUnit, kind.faultCode, [&] {
        TPicbuf* active = activePicture();
        if (active == nullptr || active->Contents() != 1)
            return;
        bool& available = programState().*kind.available;
        if (store) {
            if (!allowed) {
                busy.quiet();
                return;
            }
            available = true;
            ShowProgress(QString::fromLatin1(kind.storeText));
            slotCopy(*active, *(background().*kind.slot));
            return;
        }
        if (!available) {
            information(kind.neverStoredText);
            return;
        }
        ShowProgress(QString::fromLatin1(kind.restoreText));
        TPicbuf& slot = *(background().*kind.slot);
        if (slot.Contents() != 1) {
            information(kind.emptySlotText);
            available = false;
            return;
        }
        slotCopy(slot, *active);
    });
}

// The drop options of the utilities window applied before a paste from the private clipboard.
void equaliseForPaste(TPicbuf& source, TPicbuf& destination, bool resize)
{
    const DropOptions options = currentDropOptions();
    EqualiseForDrop(source, destination, options.autoEqualise, options.equaliseDepths, options.raise24,
                    options.remap, resize, options.fixedAspect);
}

bool systemClipboardHasPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data != nullptr && data->hasImage();
}

void pasteAsNewImage(TPicbuf& privateClipboard, bool usePrivate)
{
    NewImage();
    TKV_Display* window = activeImageWindow();
    if (window == nullptr)
        return;
    TPicbuf& picture = *window->ChildPicbuf;
    if (picture.Contents() == 1) {
        picture.setAssignMode(0);
        if (usePrivate) {
            equaliseForPaste(privateClipboard, picture, false);
            picture.AssignImage(false, privateClipboard, false);
        } else {
            picture.PasteFromClipboard(1);
        }
    }
    window->setWindowTitle(QStringLiteral("Clipboard Data"));
}

} // namespace

void Undo(bool store, bool allowed)
{
    storeOrRestore(kUndoSlot, store, allowed);
}

void StoreUndoPicture(bool allowed, TPicbuf& picture)
{
    if (!allowed)
        return;
    SlotBusyGuard busy(kUndoCursor);
    guardedHandler(kUnit, 792, [&] {
        if (picture.Contents() != 1)
            return;
        ShowProgress(QStringLiteral("Creating Undo Image"));
        programState().UndoAvailable = true;
        slotCopy(picture, *background().KV_BCK_AutoUndo);
    });
}

void Mark(bool store)
{
    storeOrRestore(kMarkedSlot, store, true);
}

void CopyImage(bool store, TPicbuf& picture)
{
    guardedHandler(kUnit, 865, [&] {
        TPicbuf& slot = *background().KV_BCK_ProvidedUndo;
        if ((store ? picture : slot).Contents() != 1)
            return;
        SlotBusyGuard busy(kUndoCursor);
        if (store) {
            ShowProgress(QStringLiteral("Storing Copy Image"));
            slotCopy(picture, slot);
        } else {
            ShowProgress(QStringLiteral("Restoring Copy Image"));
            slotCopy(slot, picture);
        }
    });
}

void ImageFromSelection(TPicbuf& source)
{
    SlotBusyGuard busy(kCalcCursor);
    guardedHandler(kUnit, 449, [&] {
        ShowProgress(QStringLiteral("Creating Image....."));
        TKV_Display* window = CreateImageWindow();
        TPicbuf& picture = *window->ChildPicbuf;
        PreparePicture(picture);
        QCoreApplication::processEvents();
        picture.CreateImage(source.ColorDepth(), source.SelectWidth(), source.SelectHeight(), kSilver);
        window->setWindowTitle(QStringLiteral("Selection"));
        picture.AssignImage(false, source, true);
    });
}

void Clipboard(bool copy, bool whole, bool asNew, TPicbuf& privateClipboard, bool usePrivate)
{
    guardedHandler(
        kUnit, 1117,
        [&] {
            if (!copy && usePrivate && privateClipboard.Contents() != 1) {
                information(kPrivateClipboardEmpty);
                return;
            }
            if (!copy && !usePrivate && !systemClipboardHasPicture()) {
                information(kSystemClipboardEmpty);
                return;
            }
            if (asNew) {
                pasteAsNewImage(privateClipboard, usePrivate);
                return;
            }
            TPicbuf* active = activePicture();
            if (active == nullptr || active->Contents() != 1)
                return;
            if (copy && usePrivate) {
                privateClipboard.AssignImage(false, *active, !whole);
            } else if (copy) {
                active->CopyToClipboard(whole ? 1 : 0);
            } else if (usePrivate) {
                equaliseForPaste(privateClipboard, *active, !whole && currentDropOptions().resize);
                active->AssignImage(!whole, privateClipboard, false);
            } else {
                active->PasteFromClipboard(whole ? 1 : 0);
            }
        },
        true);
}

void MakeAutoUndoCopy()
{
    Undo(true, programState().AutoUndo);
}

} // namespace vask
