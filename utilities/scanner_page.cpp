#include "utilities/scanner_page.h"

#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"
#include "settings/program_paths.h"
#include "utilities/page_controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace vask {

namespace {

constexpr char kSection[] = "Scanner";

// The picture on the left; the manual options, the feeder folder and the buttons that use
// them on the right. Sized for the sheet area of about 560 x 238 pixels.
constexpr QRect kImageBevelRect(4, 17, 160, 190);
constexpr QRect kGroupRect(170, 4, 386, 154);
constexpr int kAreaLabelLeft = 218;
constexpr int kAreaEditLeft = 288;
constexpr int kAreaTop = 18;
constexpr int kAreaPitch = 26;

} // namespace

ScannerPage::ScannerPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Options_Twain"));

    const int belowImage = kImageBevelRect.bottom() + 5;
    KV_UT_Twain_EnableDrag = makeDragButton(this, QStringLiteral("KV_UT_Twain_EnableDrag"), 9);
    KV_UT_Twain_EnableDrag->setGeometry(4, belowImage, 40, 22);
    KV_UT_Twain_ReScan = makeSpeedButton(this, QStringLiteral("KV_UT_Twain_ReScan"), QStringLiteral("Scan"),
                                         QStringLiteral("Scan a new Image - [Automatic and Default]"), 17);
    KV_UT_Twain_ReScan->setGeometry(48, belowImage, 56, 22);
    KV_UT_Twain_MultiScan = makeSpeedButton(
        this, QStringLiteral("KV_UT_Twain_MultiScan"), QStringLiteral("ADF"),
        QStringLiteral("Scan Multiple pages with ADF to Disk File(s) at above disk location"), 18);
    KV_UT_Twain_MultiScan->setGeometry(kGroupRect.left() + 66, kGroupRect.bottom() + 33, 50, 22);
    KV_UT_Twain_Manual = makeSpeedButton(
        this, QStringLiteral("KV_UT_Twain_Manual"), QStringLiteral("Manual"),
        QStringLiteral(
            "Use settings above for Manual scan [ Not all Scanners will Support requested Options in which "
            "case Scanner Defaults are Used]"),
        19);
    KV_UT_Twain_Manual->setGeometry(kGroupRect.left(), kGroupRect.bottom() + 33, 60, 22);

    KV_UT_TwainImage = makeFramedLead(this, QStringLiteral("KV_UT_TwainImage"), kImageBevelRect);

    KV_UT_Twain_MScanGbox = new QGroupBox(QStringLiteral(" Manual Scan "), this);
    KV_UT_Twain_MScanGbox->setObjectName(QStringLiteral("KV_UT_Twain_MScanGbox"));
    KV_UT_Twain_MScanGbox->setGeometry(kGroupRect);
    QWidget* group = KV_UT_Twain_MScanGbox;

    KV_UT_Twain_PType =
        new RadioGroup(group, QStringLiteral("KV_UT_Twain_PType"), QStringLiteral(" Pixel Type "),
                       {QStringLiteral("Halftone"), QStringLiteral("GrayScale"),
                        QStringLiteral("Colour 24Bit"), QStringLiteral("Colour 8 Bit")},
                       3);
    KV_UT_Twain_PType->setGeometry(8, 16, 108, 90);
    KV_UT_Twain_BPPlane =
        new RadioGroup(group, QStringLiteral("KV_UT_Twain_BPPlane"), QStringLiteral(" Bits per Plane "),
                       {QStringLiteral("1 - Bit"), QStringLiteral("4 - Bit"), QStringLiteral("8 - Bit")}, 0);
    KV_UT_Twain_BPPlane->setGeometry(120, 16, 94, 90);

    // The scan area edits, one row each; their labels follow.
    const auto makeAreaEdit = [group](const char* name, int minimum, int maximum, int start, const char* hint,
                                      int row) {
        auto* edit = new SpinEdit(group, QString::fromLatin1(name), minimum, maximum, start, 1,
                                  QString::fromLatin1(hint));
        edit->setGeometry(kAreaEditLeft, kAreaTop + row * kAreaPitch, 88, 22);
        return edit;
    };
    KV_UT_Twain_Top = makeAreaEdit("KV_UT_Twain_Top", 0, 0, 0, "Top of Scan Area [in MM]", 0);
    KV_UT_Twain_Left = makeAreaEdit("KV_UT_Twain_Left", 0, 0, 0, "Left of Scan Area [in MM]", 1);
    KV_UT_Twain_Width = makeAreaEdit("KV_UT_Twain_Width", 0, 0, 100, "Width of Scan Area [in MM]", 2);
    KV_UT_Twain_Height = makeAreaEdit("KV_UT_Twain_Height", 0, 0, 100, "Height of Scan Area [in MM]", 3);
    KV_UT_Twain_DPI = makeAreaEdit("KV_UT_Twain_DPI", 10, 2000, 100, "Dots Per Inch Resolution of Scan", 4);

    KV_UT_Twain_ADFPath = new QLineEdit(QStringLiteral("C:\\Scan1.Scn"), this);
    KV_UT_Twain_ADFPath->setObjectName(QStringLiteral("KV_UT_Twain_ADFPath"));
    KV_UT_Twain_ADFPath->setToolTip(
        QStringLiteral("For ADF Scans [ Multi Page ]  Images will be saved as Files "
                       "\\ADFSCN[#].BMP at this location."));
    KV_UT_Twain_ADFPath->setGeometry(kGroupRect.left(), kGroupRect.bottom() + 6, kGroupRect.width(), 22);

    makeLabel(this, QStringLiteral("Scanned Image:- "))->setGeometry(4, 1, kImageBevelRect.width(), 15);
    const QString areaLabels[] = {QStringLiteral("Top [mm] "), QStringLiteral("Left [mm] "),
                                  QStringLiteral(" Width [mm] "), QStringLiteral(" Height [mm] "),
                                  QStringLiteral("DPI:- ")};
    for (int row = 0; row < 5; ++row)
        makeLabel(group, areaLabels[row])
            ->setGeometry(kAreaLabelLeft, kAreaTop + row * kAreaPitch + 3, 68, 15);
}

void ScannerPage::readSettings(const IniFile& ini)
{
    KV_UT_Twain_ADFPath->setText(
        QString::fromStdString(ini.ReadString(kSection, "ADF", GetProgramPath().toStdString())));
}

void ScannerPage::writeSettings(IniFile& ini) const
{
    ini.WriteString(kSection, "ADF", KV_UT_Twain_ADFPath->text().toStdString());
}

} // namespace vask
