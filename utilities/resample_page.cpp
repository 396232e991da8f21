#include "utilities/resample_page.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace vask {

namespace {

const std::string kSection = "Process";

// The LEAD control draws no border of its own; a sunken bevel behind it gives the slot look.
void placeInBevel(QWidget* page, QWidget* control, const QRect& area)
{
    auto* bevel = new QFrame(page);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevel->setGeometry(area);
    bevel->lower();
    control->setGeometry(area.adjusted(2, 2, -2, -2));
}

} // namespace

ResamplePage::ResamplePage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Resample"));

    KV_UT_Resample_GroupBox = new QGroupBox(QStringLiteral(" Resample Options "), this);
    KV_UT_Resample_GroupBox->setObjectName(QStringLiteral("KV_UT_Resample_GroupBox"));
    KV_UT_Resample_Preview = new TLeadCtrl(this);
    KV_UT_Resample_Preview->setObjectName(QStringLiteral("KV_UT_Resample_Preview"));
    KV_UT_Resample_EnableDrag =
        makeSpeedButton(KV_UT_Resample_GroupBox, QStringLiteral("KV_UT_Resample_EnableDrag"),
                        QStringLiteral("DD"), QStringLiteral("Allow Drag of Utility Image"), 12);
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
    KV_UT_Resample_Width->setValue(ini.ReadInteger(kSection, "RWidth", 100));
    KV_UT_Resample_Height->setValue(ini.ReadInteger(kSection, "RHeight", 100));
    KV_UT_Resample_MAspect->setChecked(ini.ReadBool(kSection, "RMAspect", true));
    KV_UT_Resample_Quality->setChecked(ini.ReadBool(kSection, "HQResample", true));
}

void ResamplePage::writeSettings(IniFile& ini) const
{
    ini.WriteInteger(kSection, "RWidth", KV_UT_Resample_Width->value());
    ini.WriteInteger(kSection, "RHeight", KV_UT_Resample_Height->value());
    ini.WriteBool(kSection, "RMAspect", KV_UT_Resample_MAspect->isChecked());
    ini.WriteBool(kSection, "HQResample", KV_UT_Resample_Quality->isChecked());
}

} // namespace vask
