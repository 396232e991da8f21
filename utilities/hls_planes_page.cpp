#include "utilities/hls_planes_page.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QToolButton>

#include <array>

namespace vask {

namespace {

const std::string kSection = "Separations";

// Five slots across the 553 x 209 inner page, captions above, commands below.
constexpr int kSlotWidth = 104;
constexpr int kSlotStep = 109;
constexpr int kSlotTop = 18;
constexpr int kSlotHeight = 132;
constexpr int kCommandTop = 158;

TLeadCtrl* makePlane(QWidget* page, const QString& name)
{
    auto* plane = new TLeadCtrl(page);
    plane->setObjectName(name);
    return plane;
}

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

HlsPlanesPage::HlsPlanesPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Planes_Page_HLS"));

    KV_UT_HLS_Planes_EnableDrag =
        makeSpeedButton(this, QStringLiteral("KV_UT_HLS_Planes_EnableDrag"), QStringLiteral("DD"),
                        QStringLiteral("Allow Drag of Utility Image"), 8);
    KV_UT_HLS_Planes_ReCalc =
        makeSpeedButton(this, QStringLiteral("KV_UT_HLS_Planes_ReCalc"), QStringLiteral("Calc"),
                        QStringLiteral("ReCalculate Combined Image"), 16);
    KV_UT_HLS_Base = makePlane(this, QStringLiteral("KV_UT_HLS_Base"));
    KV_UT_HLS_H = makePlane(this, QStringLiteral("KV_UT_HLS_H"));
    KV_UT_HLS_L = makePlane(this, QStringLiteral("KV_UT_HLS_L"));
    KV_UT_HLS_S = makePlane(this, QStringLiteral("KV_UT_HLS_S"));
    KV_UT_HLS_V = makePlane(this, QStringLiteral("KV_UT_HLS_V"));
    KV_UT_HLS_Planes_HLS = makeCheckBox(
        this, QStringLiteral("KV_UT_HLS_Planes_HLS"), QStringLiteral("HLS [x] or HSV"),
        QStringLiteral("Check to create or merge HLS channels, uncheck to create or merge HSV channels"),
        true);

    const std::array<QString, 5> captions = {QStringLiteral("Combined Image:- "), QStringLiteral("Hue:- "),
                                             QStringLiteral("Luminance:- "), QStringLiteral("Saturation:- "),
                                             QStringLiteral("V:- ")};
    const std::array<TLeadCtrl*, 5> planes = {KV_UT_HLS_Base, KV_UT_HLS_H, KV_UT_HLS_L, KV_UT_HLS_S,
                                              KV_UT_HLS_V};
    for (std::size_t slot = 0; slot < planes.size(); ++slot) {
        const int left = 4 + static_cast<int>(slot) * kSlotStep;
        QLabel* caption = makeLabel(this, captions[slot]);
        caption->setGeometry(left, 2, kSlotWidth, 14);
        placeInBevel(this, planes[slot], QRect(left, kSlotTop, kSlotWidth, kSlotHeight));
    }

    KV_UT_HLS_Planes_ReCalc->setGeometry(4, kCommandTop, 48, 22);
    KV_UT_HLS_Planes_EnableDrag->setGeometry(56, kCommandTop, 32, 22);
    KV_UT_HLS_Planes_HLS->setGeometry(113, kCommandTop + 2, 140, 18);
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
