#include "utilities/resample_page.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace vask {

namespace {

const std::string kSection = "Process";

// The page's keys in the order the settings file holds them.
std::vector<PageSetting> pageSettings(const ResamplePage& page)
{
    return {{page.KV_UT_Resample_Width, "RWidth", 100},
            {page.KV_UT_Resample_Height, "RHeight", 100},
            {page.KV_UT_Resample_MAspect, "RMAspect", true},
            {page.KV_UT_Resample_Quality, "HQResample", true}};
}

} // namespace

ResamplePage::ResamplePage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Resample"));

    KV_UT_Resample_GroupBox = new QGroupBox(QStringLiteral(" Resample Options "), this);
    KV_UT_Resample_GroupBox->setObjectName(QStringLiteral("KV_UT_Resample_GroupBox"));
    KV_UT_Resample_Preview = makeLeadSlot(this, QStringLiteral("KV_UT_Resample_Preview"));
    KV_UT_Resample_EnableDrag =
        makeDragButton(KV_UT_Resample_GroupBox, QStringLiteral("KV_UT_Resample_EnableDrag"), 12);
    KV_UT_Resample_Width = new SpinEdit(KV_UT_Resample_GroupBox, QStringLiteral("KV_UT_Resample_Width"), 10,
                                        3000, 100, 1, QStringLiteral("Enter Width for Resampled Image"));
    KV_UT_Resample_Height = new SpinEdit(KV_UT_Resample_GroupBox, QStringLiteral("KV_UT_Resample_Height"), 10,
                                         3000, 100, 1, QStringLiteral("Enter Height for Resampled Image"));
    KV_UT_Resample_Quality =
        makeCheckBox(KV_UT_Resample_GroupBox, QStringLiteral("KV_UT_Resample_Quality"),
                     QStringLiteral("High Quality Resample"),
                     QStringLiteral("Use High Quality Resample during Resampling"), true);
    KV_UT_Resample_MAspect =
        makeCheckBox(KV_UT_Resample_GroupBox, QStringLiteral("KV_UT_Resample_MAspect"),
                     QStringLiteral("Maintain Aspect Ratio"),
                     QStringLiteral("Use width only and calculate height to maintain aspect ratio"), true);

    QLabel* widthLabel = makeLabel(KV_UT_Resample_GroupBox, QStringLiteral("New Width:- "));
    QLabel* heightLabel = makeLabel(KV_UT_Resample_GroupBox, QStringLiteral("New Height:- "));

    // Pixel positions within the 553 x 209 inner page.
    KV_UT_Resample_GroupBox->setGeometry(4, 4, 236, 160);
    widthLabel->setGeometry(10, 24, 80, 22);
    KV_UT_Resample_Width->setGeometry(94, 24, 80, 22);
    heightLabel->setGeometry(10, 52, 80, 22);
    KV_UT_Resample_Height->setGeometry(94, 52, 80, 22);
    KV_UT_Resample_Quality->setGeometry(10, 84, 180, 18);
    KV_UT_Resample_MAspect->setGeometry(10, 106, 180, 18);
    KV_UT_Resample_EnableDrag->setGeometry(10, 130, 30, 22);
    placeInBevel(this, KV_UT_Resample_Preview, QRect(246, 4, 302, 200));
}

void ResamplePage::readSettings(const IniFile& ini)
{
    readPageSettings(ini, kSection, pageSettings(*this));
}

void ResamplePage::writeSettings(IniFile& ini) const
{
    writePageSettings(ini, kSection, pageSettings(*this));
}

} // namespace vask
