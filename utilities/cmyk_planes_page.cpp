#include "utilities/cmyk_planes_page.h"

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

CmykPlanesPage::CmykPlanesPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Planes_Page_CMYK"));

    KV_UT_CMYK_Planes_EnableDrag = makeDragButton(this, QStringLiteral("KV_UT_CMYK_Planes_EnableDrag"), 8);
    KV_UT_CYMK_Planes_ReCalc = makePlaneReCalcButton(this, QStringLiteral("KV_UT_CYMK_Planes_ReCalc"));
    KV_UT_CMYK_Base = makeLeadSlot(this, QStringLiteral("KV_UT_CMYK_Base"));
    KV_UT_CMYK_Cyan = makeLeadSlot(this, QStringLiteral("KV_UT_CMYK_Cyan"));
    KV_UT_CMYK_Magenta = makeLeadSlot(this, QStringLiteral("KV_UT_CMYK_Magenta"));
    KV_UT_CMYK_Yellow = makeLeadSlot(this, QStringLiteral("KV_UT_CMYK_Yellow"));
    KV_UT_CMYK_K = makeLeadSlot(this, QStringLiteral("KV_UT_CMYK_K"));
    KV_UT_CYMK_Planes_CMYK = makeCheckBox(
        this, QStringLiteral("KV_UT_CYMK_Planes_CMYK"), QStringLiteral("CMYK [x] or CMY"),
        QStringLiteral("Check to create or merge CMYK channels, uncheck to create or merge CMY channels"),
        true);

    layoutPlaneRow(this,
                   {QStringLiteral("Combined Image:- "), QStringLiteral("Cyan:- "),
                    QStringLiteral("Magenta:- "), QStringLiteral("Yellow:- "), QStringLiteral("K:- ")},
                   {KV_UT_CMYK_Base, KV_UT_CMYK_Cyan, KV_UT_CMYK_Magenta, KV_UT_CMYK_Yellow, KV_UT_CMYK_K},
                   KV_UT_CYMK_Planes_ReCalc, KV_UT_CMYK_Planes_EnableDrag, {{KV_UT_CYMK_Planes_CMYK, 140}});
}

void CmykPlanesPage::readSettings(const IniFile& ini)
{
    KV_UT_CYMK_Planes_CMYK->setChecked(ini.ReadBool(kSection, "CMYK", true));
}

void CmykPlanesPage::writeSettings(IniFile& ini) const
{
    ini.WriteBool(kSection, "CMYK", KV_UT_CYMK_Planes_CMYK->isChecked());
}

} // namespace vask
