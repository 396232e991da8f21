#include "utilities/rgb_planes_page.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QToolButton>

namespace vask {

namespace {

const std::string kSection = "Separations";

} // namespace

RgbPlanesPage::RgbPlanesPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Planes_Page_RGB"));

    KV_UT_RGB_Planes_EnableDrag = makeDragButton(this, QStringLiteral("KV_UT_RGB_Planes_EnableDrag"), 8);
    KV_UT_RGB_Planes_ReCalc = makePlaneReCalcButton(this, QStringLiteral("KV_UT_RGB_Planes_ReCalc"));
    KV_UT_RGB_Base = makeLeadSlot(this, QStringLiteral("KV_UT_RGB_Base"));
    KV_UT_RGB_Red = makeLeadSlot(this, QStringLiteral("KV_UT_RGB_Red"));
    KV_UT_RGB_Green = makeLeadSlot(this, QStringLiteral("KV_UT_RGB_Green"));
    KV_UT_RGB_Blue = makeLeadSlot(this, QStringLiteral("KV_UT_RGB_Blue"));
    KV_UT_Planes_MAspect =
        makeCheckBox(this, QStringLiteral("KV_UT_Planes_MAspect"), QStringLiteral("Maintain Aspect Ratio"),
                     QStringLiteral("Maintain Aspect Ratio of All Separation  Images [ All Pages ]"), true);
    KV_UT_Planes_CombineOnDrop = makeCheckBox(
        this, QStringLiteral("KV_UT_Planes_CombineOnDrop"), QStringLiteral("Combine on Channel Drop"),
        QStringLiteral("Calculate combined Image whenever an Image is dropped on the channel seperation(s) "
                       "Image - All appropriate channels must contain an Image"),
        true);

    layoutPlaneRow(this,
                   {QStringLiteral("Combined Image:- "), QStringLiteral("Red:- "), QStringLiteral("Green:- "),
                    QStringLiteral("Blue:- ")},
                   {KV_UT_RGB_Base, KV_UT_RGB_Red, KV_UT_RGB_Green, KV_UT_RGB_Blue}, KV_UT_RGB_Planes_ReCalc,
                   KV_UT_RGB_Planes_EnableDrag,
                   {{KV_UT_Planes_MAspect, 132}, {KV_UT_Planes_CombineOnDrop, 160}});
}

void RgbPlanesPage::readSettings(const IniFile& ini)
{
    KV_UT_Planes_MAspect->setChecked(ini.ReadBool(kSection, "Maintain", true));
    KV_UT_Planes_CombineOnDrop->setChecked(ini.ReadBool(kSection, "CCDrop", true));
}

void RgbPlanesPage::writeSettings(IniFile& ini) const
{
    ini.WriteBool(kSection, "Maintain", KV_UT_Planes_MAspect->isChecked());
    ini.WriteBool(kSection, "CCDrop", KV_UT_Planes_CombineOnDrop->isChecked());
}

} // namespace vask
