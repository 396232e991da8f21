#include "store/image_load_save.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "imagewin/display_window.h"
#include "settings/preferences_dialog.h"
#include "shell/busy_command.h"
#include "shell/fault_report.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"

#include <QCheckBox>
#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace vask {

namespace {

// The depths of KV_Pref_BitDepths, by item index.
constexpr std::array<int, 4> kNewImageDepths = {1, 4, 8, 24};

// A picture that came from the LEAD control realises its own palette again (8 bits or fewer;
// deeper pictures are left alone).
void updatePalette(TPicbuf& picture)
{
    runBusyCommand("UIKFunctions32v1", 949, QStringLiteral("Updating Palette"), [&] {
        if (picture.ColorDepth() <= 8)
            picture.MapPalette(picture);
    });
}

// The mask percentage 0..100 as a grey level: value x 2.55 to the nearest integer, halves to
// the even neighbour (50 gives 128). Worked in hundredths so 2.55 is exact.
int greyOfMaskValue(int percent)
{
    const int hundredths = percent * 255;
    int grey = hundredths / 100;
    const int rest = hundredths % 100;
    if (rest > 50 || (rest == 50 && grey % 2 == 1))
        ++grey;
    return std::clamp(grey, 0, 255);
}

} // namespace

void TransferImage(QWidget* source, QWidget* destination)
{
    BusyGuard busy(QStringLiteral("Transferring Image"));
    try {
        Image picture;
        bool fromLead = false;
        if (const auto* buffer = qobject_cast<const TPicbuf*>(source)) {
            if (buffer->Contents() != 1)
                return;
            picture = buffer->image();
        } else if (const auto* lead = qobject_cast<const TLeadCtrl*>(source)) {
            if (lead->Bitmap() == 0)
                return;
            picture = lead->GetDIB();
            fromLead = true;
        } else {
            return;
        }
        if (auto* buffer = qobject_cast<TPicbuf*>(destination)) {
            buffer->setImage(std::move(picture));
            if (fromLead)
                updatePalette(*buffer);
        } else if (auto* lead = qobject_cast<TLeadCtrl*>(destination)) {
            lead->SetDIB(picture);
        }
    } catch (...) {
        // Not reported: the destination keeps the picture it had.
    }
}

void NewImage()
{
    SetBusy(true);
    guardedHandler("UIKUtil32v1", 424, [] {
        const TKV_Preferences32v1* preferences = programWindows().KV_Preferences32v1;
        if (preferences == nullptr)
            throw std::runtime_error("The preferences window does not exist.");
        // No depth chosen in the group gives a true-colour picture.
        const int depthIndex = preferences->KV_Pref_BitDepths->itemIndex();
        const int bits = (depthIndex >= 0 && depthIndex < static_cast<int>(kNewImageDepths.size()))
                             ? kNewImageDepths[static_cast<std::size_t>(depthIndex)]
                             : 24;
        QColor fill = preferences->KV_Pref_BaseColour->colour();
        if (preferences->KV_Pref_Asmask->isChecked()) {
            const int grey = greyOfMaskValue(preferences->KV_Pref_maskvalue->value());
            fill = QColor(grey, grey, grey);
        }
        TKV_Display* window = CreateImageWindow();
        PreparePicture(*window->ChildPicbuf);
        QCoreApplication::processEvents();
        window->ChildPicbuf->CreateImage(bits, preferences->KV_Pref_NewWidth->value(),
                                         preferences->KV_Pref_NewHeight->value(),
                                         static_cast<quint32>(windowsValueFromColour(fill)));
        window->setWindowTitle(QStringLiteral("New Image"));
    });
    SetBusy(false);
}

} // namespace vask
