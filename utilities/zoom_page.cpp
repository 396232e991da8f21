#include "utilities/zoom_page.h"

#include "controls/form_widgets.h"
#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "utilities/page_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QToolButton>

namespace vask {

namespace {

constexpr char kSection[] = "Zoom";

// Options on the left, the zoom picture in the middle, the comparison pair on the right;
// sized for the sheet area of about 560 x 238 pixels.
constexpr QRect kGroupRect(4, 4, 150, 116);
constexpr QRect kZoomImageRect(160, 8, 230, 226);
constexpr QRect kScratchARect(398, 20, 158, 104);
constexpr QRect kScratchBRect(398, 130, 158, 104);

} // namespace

ZoomPage::ZoomPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Options_Zoom"));

    KV_UT_Zoom_OPTGroup = new QGroupBox(QStringLiteral(" Zoom Options "), this);
    KV_UT_Zoom_OPTGroup->setObjectName(QStringLiteral("KV_UT_Zoom_OPTGroup"));
    KV_UT_Zoom_OPTGroup->setGeometry(kGroupRect);
    QWidget* group = KV_UT_Zoom_OPTGroup;

    KV_UT_Zoom_ZoomImage = makePicture(this, QStringLiteral("KV_UT_Zoom_ZoomImage"), kZoomImageRect);
    KV_UT_Zoom_ScratchA = makePicture(this, QStringLiteral("KV_UT_Zoom_ScratchA"), kScratchARect);
    KV_UT_Zoom_ScratchB = makePicture(this, QStringLiteral("KV_UT_Zoom_ScratchB"), kScratchBRect);

    KV_UT_Zoom_ActivateZoom =
        makeSpeedButton(group, QStringLiteral("KV_UT_Zoom_ActivateZoom"), QStringLiteral("Zoom"),
                        QStringLiteral("Activate Dynamic Zoom"), 15);
    KV_UT_Zoom_ActivateZoom->setGeometry(10, 22, 60, 22);
    KV_UT_Zoom_EnableDrag = makeDragButton(group, QStringLiteral("KV_UT_Zoom_EnableDrag"), 2);
    KV_UT_Zoom_EnableDrag->setGeometry(76, 22, 40, 22);
    KV_UT_Zoom_ZoomWidth = new SpinEdit(group, QStringLiteral("KV_UT_Zoom_ZoomWidth"), 5, 1000, 75, 5,
                                        QStringLiteral("Width of Zoom area [ Selection ]"));
    KV_UT_Zoom_ZoomWidth->setGeometry(70, 54, 70, 22);
    KV_UT_Zoom_ZoomHeight = new SpinEdit(group, QStringLiteral("KV_UT_Zoom_ZoomHeight"), 5, 1000, 75, 5,
                                         QStringLiteral("Width of Zoom area [ Selection ]"));
    KV_UT_Zoom_ZoomHeight->setGeometry(70, 82, 70, 22);

    makeLabel(this, QStringLiteral(" Comparison "))->setGeometry(kScratchARect.left(), 3, 158, 15);
    makeLabel(group, QStringLiteral(" Width:-"))->setGeometry(6, 57, 62, 15);
    makeLabel(group, QStringLiteral(" Height:- "))->setGeometry(6, 85, 62, 15);
}

void ZoomPage::readSettings(const IniFile& ini)
{
    KV_UT_Zoom_ZoomWidth->setValue(ini.ReadInteger(kSection, "ZWidth", 75));
    KV_UT_Zoom_ZoomHeight->setValue(ini.ReadInteger(kSection, "ZHeight", 75));
}

void ZoomPage::writeSettings(IniFile& ini) const
{
    ini.WriteInteger(kSection, "ZWidth", KV_UT_Zoom_ZoomWidth->value());
    ini.WriteInteger(kSection, "ZHeight", KV_UT_Zoom_ZoomHeight->value());
}

} // namespace vask
