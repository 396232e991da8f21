#include "utilities/hls_planes_page.h"

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

HlsPlanesPage::HlsPlanesPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Planes_Page_HLS"));

    KV_UT_HLS_Planes_EnableDrag = makeDragButton(this, QStringLiteral("KV_UT_HLS_Planes_EnableDrag"), 8);
    KV_UT_HLS_Planes_ReCalc = makePlaneReCalcButton(this, QStringLiteral("KV_UT_HLS_Planes_ReCalc"));
    KV_UT_HLS_Base = makeLeadSlot(this, QStringLiteral("KV_UT_HLS_Base"));
    KV_UT_HLS_H = makeLeadSlot(this, QStringLiteral("KV_UT_HLS_H"));
    KV_UT_HLS_L = makeLeadSlot(this, QStringLiteral("KV_UT_HLS_L"));
    KV_UT_HLS_S = makeLeadSlot(this, QStringLiteral("KV_UT_HLS_S"));
    KV_UT_HLS_V = makeLeadSlot(this, QStringLiteral("KV_UT_HLS_V"));
    KV_UT_HLS_Planes_HLS = makeCheckBox(
        this, QStringLiteral("KV_UT_HLS_Planes_HLS"), QStringLiteral("HLS [x] or HSV"),
        QStringLiteral("Check to create or merge HLS channels, uncheck to create or merge HSV channels"),
        true);

    layoutPlaneRow(this,
                   {QStringLiteral("Combined Image:- "), QStringLiteral("Hue:- "),
                    QStringLiteral("Luminance:- "), QStringLiteral("Saturation:- "), QStringLiteral("V:- ")},
                   {KV_UT_HLS_Base, KV_UT_HLS_H, KV_UT_HLS_L, KV_UT_HLS_S, KV_UT_HLS_V},
                   KV_UT_HLS_Planes_ReCalc, KV_UT_HLS_Planes_EnableDrag, {{KV_UT_HLS_Planes_HLS, 140}});
}

void HlsPlanesPage::readSettings(const IniFile& ini)
{
    KV_UT_HLS_Planes_HLS->setChecked(ini.ReadBool(kSection, "HLS", true));
}

void HlsPlanesPage::writeSettings(IniFile& ini) const
{
    ini.WriteBool(kSection, "HLS", KV_UT_HLS_Planes_HLS->isChecked());
}

} // namespace vask
