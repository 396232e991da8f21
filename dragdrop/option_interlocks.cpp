#include "dragdrop/option_interlocks.h"

#include "shell/fault_report.h"

#include <QCheckBox>
#include <QRadioButton>

#include <initializer_list>
#include <stdexcept>

namespace vask {

namespace {

constexpr const char* kUnit = "UDragDrop32v1";
constexpr int kEnableDepthOptionsCode = 200;
constexpr int kSyncFloatingOptionsCode = 585;

void requireControls(std::initializer_list<const QWidget*> controls)
{
    for (const QWidget* control : controls) {
        if (control == nullptr)
            throw std::invalid_argument("Drop option control missing");
    }
}

} // namespace

void EnableDepthOptions(QCheckBox* raise24, QCheckBox* equaliseDepths, QCheckBox* remap)
{
    guardedHandler(kUnit, kEnableDepthOptionsCode, [&] {
        requireControls({raise24, equaliseDepths, remap});
        const bool free = !raise24->isChecked();
        equaliseDepths->setEnabled(free);
        remap->setEnabled(free);
        if (remap->isChecked())
            equaliseDepths->setChecked(true);
    });
}

void SyncFloatingOptions(QCheckBox* autoEqualise, QCheckBox* resize, QCheckBox* dstSelection,
                         QCheckBox* srcSelection, QCheckBox* pSelf, QCheckBox* dragSelectionasImage,
                         QCheckBox* fAspect, QRadioButton* asImagewithSource,
                         QRadioButton* asImagewithDestination)
{
    guardedHandler(kUnit, kSyncFloatingOptionsCode, [&] {
        requireControls({autoEqualise, resize, dstSelection, srcSelection, pSelf, dragSelectionasImage,
                         fAspect, asImagewithSource, asImagewithDestination});
        const bool floating = dragSelectionasImage->isChecked();
        for (QCheckBox* box : {autoEqualise, resize, dstSelection, srcSelection, pSelf}) {
            if (floating)
                box->setChecked(true);
            box->setEnabled(!floating);
        }
        asImagewithSource->setEnabled(floating);
        asImagewithDestination->setEnabled(floating);
    });
}

} // namespace vask
