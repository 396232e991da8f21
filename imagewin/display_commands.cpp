#include "imagewin/display_commands.h"

#include "controls/component_tag.h"
#include "controls/form_widgets.h"
#include "controls/picbuf.h"
#include "imagewin/background_window.h"
#include "imagewin/display_window.h"
#include "processing/depth_conversion.h"
#include "settings/preferences_dialog.h"
#include "shell/fault_report.h"
#include "shell/master_form.h"
#include "shell/program_state.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"
#include "store/common_palette.h"
#include "store/image_load_save.h"
#include "store/image_slots.h"
#include "utilities/utilities_window.h"

#include <QAction>
#include <QCheckBox>
#include <QColor>

#include <stdexcept>

namespace vask {

namespace {

constexpr const char* kUnit = "UDisplay32v1";
constexpr int kCustomAngleTag = 99;
// Without the preferences window: the preferences' own defaults, 90 degrees and aqua.
constexpr int kDefaultCustomAngle = 90;
constexpr quint32 kDefaultFillColour = 16776960;

TPicbuf& privateClipboard()
{
    const TKV_BackGround* background = programWindows().KV_BackGround;
    if (background == nullptr || background->VaskClipboard == nullptr)
        throw std::runtime_error("no clipboard picture");
    return *background->VaskClipboard;
}

bool usePrivateClipboard()
{
    const TKV_Masterform* master = programWindows().KV_Masterform;
    return master == nullptr || master->KV_MM_VaskClipboard == nullptr ||
           master->KV_MM_VaskClipboard->isChecked();
}

// Tags 0..4 of the Edit menu, and 1..5 of the context menu less one.
void clipboardTransfer(int tag)
{
    struct Transfer {
        bool copy, whole, asNew;
    };
    static constexpr Transfer kTransfers[] = {
        {true, true, false},   {true, false, false}, {false, true, false},
        {false, false, false}, {false, false, true},
    };
    const Transfer& transfer = kTransfers[tag];
    Clipboard(transfer.copy, transfer.whole, transfer.asNew, privateClipboard(), usePrivateClipboard());
}

int depthOfTag(int tag)
{
    switch (tag) {
    case 5:
        return 1;
    case 6:
        return 4;
    case 7:
        return 8;
    default:
        return 24;
    }
}

// Busy from here; busy off when the scope ends, also after a fault, and with idleText the
// progress panel back to "No Function" too.
class BusyScope {
public:
    explicit BusyScope(bool idleText) : m_idleText(idleText) { SetBusy(true); }
    ~BusyScope()
    {
        SetBusy(false);
        if (m_idleText)
            ShowProgress(QStringLiteral("No Function"));
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool m_idleText;
};

} // namespace

DisplayCommands::DisplayCommands(TKV_Display* display) : QObject(display), m_display(display)
{
    setObjectName(QStringLiteral("KV_DisplayCommands"));
    buildEditMenu();
    buildImageProcessMenu();
    buildContextMenu();
}

DisplayCommands* displayCommandsOf(const TKV_Display& display)
{
    return display.findChild<DisplayCommands*>(QString(), Qt::FindDirectChildrenOnly);
}

template <typename Operation>
void DisplayCommands::imageProcess(const char* progressText, int code, Operation&& operation)
{
    guardedHandler(kUnit, code, [&] {
        MakeAutoUndoCopy();
        BusyGuard busy(QString::fromLatin1(progressText));
        TPicbuf& picture = *m_display->ChildPicbuf;
        if (picture.Contents() == 1)
            operation(picture);
    });
}

void DisplayCommands::Sharpen(QObject* sender)
{
    const int level = tagOf(sender);
    imageProcess("Applying Sharpening", 484, [level](TPicbuf& picture) { picture.SharpenImage(level); });
}

void DisplayCommands::Soften(QObject* sender)
{
    const int level = tagOf(sender);
    imageProcess("Applying Softening", 505, [level](TPicbuf& picture) { picture.SoftenImage(level); });
}

void DisplayCommands::Edge(QObject* sender)
{
    const int level = tagOf(sender);
    imageProcess("Extracting Edges", 526, [level](TPicbuf& picture) { picture.EdgeExtract(level); });
}

void DisplayCommands::Blur()
{
    imageProcess("Blurring Image", 544, [](TPicbuf& picture) { picture.BlurImage(); });
}

void DisplayCommands::Mirror(QObject* sender)
{
    // -1 means yes: tag 1 horizontal, 2 vertical, 3 both.
    const int tag = tagOf(sender);
    const int horizontal = (tag == 1 || tag == 3) ? -1 : 0;
    const int vertical = (tag == 2 || tag == 3) ? -1 : 0;
    imageProcess("Mirroring Image", 569,
                 [horizontal, vertical](TPicbuf& picture) { picture.MirrorImage(horizontal, vertical); });
}

void DisplayCommands::Rotate(QObject* sender)
{
    int degrees = tagOf(sender);
    quint32 fill = kDefaultFillColour;
    if (const TKV_Preferences32v1* preferences = programWindows().KV_Preferences32v1) {
        if (degrees == kCustomAngleTag)
            degrees = preferences->KV_Pref_Custom_Angle->value();
        fill = quint32(windowsValueFromColour(preferences->KV_Pref_BaseColour->colour()));
    } else if (degrees == kCustomAngleTag) {
        degrees = kDefaultCustomAngle;
    }
    imageProcess("Rotating Image", 594,
                 [degrees, fill](TPicbuf& picture) { picture.RotateImage(degrees, fill); });
}

void DisplayCommands::KV_DM_NegateClick()
{
    imageProcess("Negating Image", 612, [](TPicbuf& picture) { picture.NegateImage(); });
}

void DisplayCommands::KV_DM_GreyScaleClick()
{
    imageProcess("Returning Grayscale", 630, [](TPicbuf& picture) { picture.GreyScaleImage(); });
}

void DisplayCommands::DisplayGenMenus(QObject* sender)
{
    const int tag = tagOf(sender);
    guardedHandler(kUnit, 397, [&] {
        const BusyScope busy(true);
        MakeAutoUndoCopy();
        // The undo copy leaves the cursor and the panel idle; both are set again.
        SetBusy(true);
        ShowProgress(QStringLiteral("Applying Function"));
        TPicbuf& picture = *m_display->ChildPicbuf;
        if (tag >= 0 && tag <= 4) {
            clipboardTransfer(tag);
        } else if (tag >= 5 && tag <= 8) {
            ConvertDepth(picture, depthOfTag(tag));
        } else if (tag == 9) {
            MapToCommonPalette(picture);
        }
    });
}

void DisplayCommands::CutPaste(QObject* sender)
{
    const int tag = tagOf(sender);
    // Panel 4 is left as the called routines leave it.
    guardedHandler(kUnit, 805, [&] {
        const BusyScope busy(false);
        TKV_Masterform* master = programWindows().KV_Masterform;
        switch (tag) {
        case 0:
            if (master != nullptr)
                master->SetMouseFunction(master->KV_Masterform_Drag_Icon);
            break;
        case 1:
        case 2:
            clipboardTransfer(tag - 1);
            break;
        case 3:
        case 4:
        case 5:
            MakeAutoUndoCopy();
            clipboardTransfer(tag - 1);
            break;
        case 6:
            ImageFromSelection(*m_display->ChildPicbuf);
            break;
        case 7:
            if (master != nullptr)
                master->AllSpeedButtons(master->KV_Masterform_Undo_Icon);
            break;
        case 8:
            if (master != nullptr)
                master->MasterFormMenuClicks(master->KV_MM_Help);
            break;
        default:
            break;
        }
    });
}

void DisplayCommands::KV_DM_DefineSelectionAreaClick()
{
    if (!ActiveImageHasPicture())
        return;
    programState().CurrentMouseFunction = kSelectionFunction;
    ShowMouseFunction(kSelectionFunction);
    SetMouseCursor(kSelectionFunction);
}

} // namespace vask
