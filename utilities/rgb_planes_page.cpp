#include "utilities/rgb_planes_page.h"

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

// Four slots across the 553 x 209 inner page, captions above, commands below.
constexpr int kSlotWidth = 132;
constexpr int kSlotStep = 137;
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

RgbPlanesPage::RgbPlanesPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Planes_Page_RGB"));

    KV_UT_RGB_Planes_EnableDrag =
        makeSpeedButton(this, QStringLiteral("KV_UT_RGB_Planes_EnableDrag"), QStringLiteral("DD"),
                        QStringLiteral("Allow Drag of Utility Image"), 8);
    KV_UT_RGB_Planes_ReCalc =
        makeSpeedButton(this, QStringLiteral("KV_UT_RGB_Planes_ReCalc"), QStringLiteral("Calc"),
                        QStringLiteral("ReCalculate Combined Image"), 16);
    KV_UT_RGB_Base = makePlane(this, QStringLiteral("KV_UT_RGB_Base"));
    KV_UT_RGB_Red = makePlane(this, QStringLiteral("KV_UT_RGB_Red"));
    KV_UT_RGB_Green = makePlane(this, QStringLiteral("KV_UT_RGB_Green"));
    KV_UT_RGB_Blue = makePlane(this, QStringLiteral("KV_UT_RGB_Blue"));
    KV_UT_Planes_MAspect =
        makeCheckBox(this, QStringLiteral("KV_UT_Planes_MAspect"), QStringLiteral("Maintain Aspect Ratio"),
                     QStringLiteral("Maintain Aspect Ratio of All Separation  Images [ All Pages ]"), true);
    KV_UT_Planes_CombineOnDrop = makeCheckBox(
        this, QStringLiteral("KV_UT_Planes_CombineOnDrop"), QStringLiteral("Combine on Channel Drop"),
        QStringLiteral("Calculate combined Image whenever an Image is dropped on the channel seperation(s) "
                       "Image - All appropriate channels must contain an Image"),
        true);

    const std::array<QString, 4> captions = {QStringLiteral("Combined Image:- "), QStringLiteral("Red:- "),
                                             QStringLiteral("Green:- "), QStringLiteral("Blue:- ")};
    const std::array<TLeadCtrl*, 4> planes = {KV_UT_RGB_Base, KV_UT_RGB_Red, KV_UT_RGB_Green, KV_UT_RGB_Blue};
    for (std::size_t slot = 0; slot < planes.size(); ++slot) {
        const int left = 4 + static_cast<int>(slot) * kSlotStep;
        QLabel* caption = makeLabel(this, captions[slot]);
        caption->setGeometry(left, 2, kSlotWidth, 14);
        placeInBevel(this, planes[slot], QRect(left, kSlotTop, kSlotWidth, kSlotHeight));
    }

    KV_UT_RGB_Planes_ReCalc->setGeometry(4, kCommandTop, 48, 22);
    KV_UT_RGB_Planes_EnableDrag->setGeometry(56, kCommandTop, 32, 22);
    KV_UT_Planes_MAspect->setGeometry(141, kCommandTop + 2, 132, 18);
    KV_UT_Planes_CombineOnDrop->setGeometry(278, kCommandTop + 2, 160, 18);
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
