#include "utilities/enhance_page.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QSlider>
#include <QToolButton>

#include <array>

namespace vask {

namespace {

const std::string kSection = "Process";

// Pixel layout within the 553 x 209 inner page: the preview on the left, a legend column,
// six bar columns (caption, bar, apply button) and a column of commands on the right.
constexpr int kLegendLeft = 204;
constexpr int kFirstBarLeft = 248;
constexpr int kBarColumnWidth = 38;
constexpr int kBarTop = 18;
constexpr int kBarHeight = 160;
constexpr int kCommandLeft = 482;

} // namespace

EnhancePage::EnhancePage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Enhance"));

    KV_UT_Enhance_EnableDrag = makeDragButton(this, QStringLiteral("KV_UT_Enhance_EnableDrag"), 11);
    KV_UT_Enhance_Speed_Brightness =
        makeSpeedButton(this, QStringLiteral("KV_UT_Enhance_Speed_Brightness"), QStringLiteral("^"),
                        QStringLiteral("Apply brightness [+/- 100%]"), 21);
    KV_UT_Enhance_Speed_Contrast =
        makeSpeedButton(this, QStringLiteral("KV_UT_Enhance_Speed_Contrast"), QStringLiteral("^"),
                        QStringLiteral("Apply contrast [+/- 100%]"), 22);
    KV_UT_Enhance_Speed_HistContrast =
        makeSpeedButton(this, QStringLiteral("KV_UT_Enhance_Speed_HistContrast"), QStringLiteral("^"),
                        QStringLiteral("Apply histogram contrast [+/- 100%]"), 23);
    KV_UT_Enhance_Speed_Gamma =
        makeSpeedButton(this, QStringLiteral("KV_UT_Enhance_Speed_Gamma"), QStringLiteral("^"),
                        QStringLiteral("Apply gamma [+ 2.40]"), 24);
    KV_UT_Enhance_Speed_Hue =
        makeSpeedButton(this, QStringLiteral("KV_UT_Enhance_Speed_Hue"), QStringLiteral("^"),
                        QStringLiteral("Adjust hue [+/- 180%]"), 25);
    KV_UT_Enhance_Speed_Saturation =
        makeSpeedButton(this, QStringLiteral("KV_UT_Enhance_Speed_Saturation"), QStringLiteral("^"),
                        QStringLiteral("Adjust saturation [+/- 100%]"), 26);
    KV_UT_Enhance_AddEffect = makeSpeedButton(
        this, QStringLiteral("KV_UT_Enhance_AddEffect"), QStringLiteral("X + X"),
        QStringLiteral("Accept Preview Image - Allows Multiple adjustments to be applied -  adjust one "
                       "parameter, click this, then add another effect]"),
        27);
    KV_UT_Enhance_Reset = makeSpeedButton(this, QStringLiteral("KV_UT_Enhance_Reset"), QStringLiteral("R"),
                                          QStringLiteral("Reset slider settings to neutral"), 28);
    KV_UT_Enhance_Stretch =
        makeSpeedButton(this, QStringLiteral("KV_UT_Enhance_Stretch"), QStringLiteral("ST "),
                        QStringLiteral("Stretch Intensity of Image"), 29);

    KV_UT_Enhance_Preview = makeLeadSlot(this, QStringLiteral("KV_UT_Enhance_Preview"));

    KV_UT_Enhance_Brightness =
        makeTrackBar(this, QStringLiteral("KV_UT_Enhance_Brightness"), -1000, 1000, 0, 100);
    KV_UT_Enhance_Contrast =
        makeTrackBar(this, QStringLiteral("KV_UT_Enhance_Contrast"), -1000, 1000, 0, 100);
    KV_UT_Enhance_HistContrast =
        makeTrackBar(this, QStringLiteral("KV_UT_Enhance_HistContrast"), -1000, 1000, 0, 100);
    KV_UT_Enhance_Gamma = makeTrackBar(this, QStringLiteral("KV_UT_Enhance_Gamma"), 1, 250, 125, 12);
    KV_UT_Enhance_Hue = makeTrackBar(this, QStringLiteral("KV_UT_Enhance_Hue"), -180, 180, 0, 18);
    KV_UT_Enhance_Saturation =
        makeTrackBar(this, QStringLiteral("KV_UT_Enhance_Saturation"), -1000, 1000, 0, 100);

    KV_UT_Enhance_CopyPreview = makeLeadSlot(this, QStringLiteral("KV_UT_Enhance_CopyPreview"));
    KV_UT_Enhance_CopyPreview->hide();

    KV_UT_Enhance_RealTime = makeCheckBox(
        this, QStringLiteral("KV_UT_Enhance_RealTime"), QStringLiteral("Manual "),
        QStringLiteral(
            "Allows 'Real Time alteration' of Image [otherwise use buttons. Hue and Saturation must "
            "be Manually updated]"),
        true);

    placeInBevel(this, KV_UT_Enhance_Preview, QRect(4, 4, 196, 200));
    KV_UT_Enhance_CopyPreview->setGeometry(6, 6, 192, 196);

    const std::array<QString, 6> captions = {QStringLiteral("Br "),   QStringLiteral("Cnt "),
                                             QStringLiteral("HCnt "), QStringLiteral("Gma"),
                                             QStringLiteral("Hue "),  QStringLiteral("Sat ")};
    const std::array<QSlider*, 6> bars = {KV_UT_Enhance_Brightness,   KV_UT_Enhance_Contrast,
                                          KV_UT_Enhance_HistContrast, KV_UT_Enhance_Gamma,
                                          KV_UT_Enhance_Hue,          KV_UT_Enhance_Saturation};
    const std::array<QToolButton*, 6> applyButtons = {
        KV_UT_Enhance_Speed_Brightness, KV_UT_Enhance_Speed_Contrast, KV_UT_Enhance_Speed_HistContrast,
        KV_UT_Enhance_Speed_Gamma,      KV_UT_Enhance_Speed_Hue,      KV_UT_Enhance_Speed_Saturation};
    for (std::size_t column = 0; column < bars.size(); ++column) {
        const int left = kFirstBarLeft + static_cast<int>(column) * kBarColumnWidth;
        QLabel* caption = makeLabel(this, captions[column]);
        caption->setAlignment(Qt::AlignCenter);
        caption->setGeometry(left, 2, kBarColumnWidth, 14);
        bars[column]->setGeometry(left + 4, kBarTop, kBarColumnWidth - 8, kBarHeight);
        applyButtons[column]->setGeometry(left + 7, kBarTop + kBarHeight + 4, 24, 22);
    }

    QLabel* maxLabel = makeLabel(this, QStringLiteral("Max "));
    maxLabel->setGeometry(kLegendLeft, kBarTop + 2, 42, 14);
    QLabel* neutralLabel = makeLabel(this, QStringLiteral("Neutral"));
    neutralLabel->setGeometry(kLegendLeft, kBarTop + kBarHeight / 2 - 7, 42, 14);
    QLabel* minLabel = makeLabel(this, QStringLiteral("Min "));
    minLabel->setGeometry(kLegendLeft, kBarTop + kBarHeight - 16, 42, 14);

    KV_UT_Enhance_AddEffect->setGeometry(kCommandLeft, 4, 64, 22);
    KV_UT_Enhance_Reset->setGeometry(kCommandLeft, 30, 64, 22);
    KV_UT_Enhance_Stretch->setGeometry(kCommandLeft, 56, 64, 22);
    KV_UT_Enhance_EnableDrag->setGeometry(kCommandLeft, 82, 64, 22);
    KV_UT_Enhance_RealTime->setGeometry(kCommandLeft, 112, 68, 18);
}

void EnhancePage::readSettings(const IniFile& ini)
{
    KV_UT_Enhance_RealTime->setChecked(ini.ReadBool(kSection, "EManual", true));
}

void EnhancePage::writeSettings(IniFile& ini) const
{
    ini.WriteBool(kSection, "EManual", KV_UT_Enhance_RealTime->isChecked());
}

} // namespace vask
