#include "store/disk_control_dialog.h"

#include "controls/dialog_service.h"
#include "controls/form_widgets.h"
#include "settings/ini_file.h"
#include "settings/settings_location.h"
#include "shell/shell_routines.h"
#include "store/last_file.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>

namespace vask {

namespace {

const char* const kSection = "FileOptions";

QComboBox* makeDropDown(QWidget* parent, const QString& name, const QString& hint, const QStringList& items)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setToolTip(hint);
    box->addItems(items);
    return box;
}

const char* const kLowColourCaution =
    "Caution: Your graphics card may be running in a 8 bit or an unsupported mode. For normal "
    "operation Image Vaskolen 32+ must be run with a 16 or 24 bit graphics card driver. Running "
    "in 8 bit mode will result in degraded graphics and slow response and is not supported.  When "
    "loading 8 bit Images in this mode use \"Map 8 Bit\" option.  We recommend you disable \"Show "
    "Window Contents when Dragging\" if available [NT]. Trying to load 24 bit Images in this mode "
    "will result in palletised Images.  Use Display Settings or System Settings to adjust your "
    "graphics card settings.  See Help file for further information.";

} // namespace

QString defaultLastFileLoaded()
{
    return QDir::homePath() + QStringLiteral("/*.*");
}

TRZ_DiskControl32V1::TRZ_DiskControl32V1(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("RZ_DiskControl32V1"));
    setWindowTitle(QStringLiteral("Disk Control"));
    setModal(true);
    setFixedSize(492, 399);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);

    RZ_Preview = makeCheckBox(this, QStringLiteral("RZ_Preview"), QStringLiteral("Preview"),
                              QStringLiteral("Enable / Disable Preview Image"), true);
    RZ_Preview->setGeometry(372, 128, 110, 18);
    RZ_Commonpalette = makeCheckBox(
        this, QStringLiteral("RZ_Commonpalette"), QStringLiteral("Map 8 Bit"),
        QStringLiteral("Map all 8 Bit Images upon load to Common Palette [You Must \"Preview\" the Image "
                       "to map the Image - Click File List Name to Preview]"),
        false);
    RZ_Commonpalette->setGeometry(372, 148, 110, 18);

    RZ_JPG_Options = new QGroupBox(QStringLiteral(" JPG - PNG Sub Compression "), this);
    RZ_JPG_Options->setObjectName(QStringLiteral("RZ_JPG_Options"));
    RZ_JPG_Options->setGeometry(8, 300, 236, 58);
    RZ_JPG_VALUE = new SpinEdit(RZ_JPG_Options, QStringLiteral("RZ_JPG_VALUE"), 5, 100, 100, 1,
                                QStringLiteral("JPG Compression Level [5 to 100]"));
    RZ_JPG_VALUE->setGeometry(8, 24, 56, 22);
    RZ_Write_Options =
        makeDropDown(RZ_JPG_Options, QStringLiteral("RZ_Write_Options"),
                     QStringLiteral("JPG and PNG Write Options - Sub Format"),
                     {QStringLiteral("None [Default]"), QStringLiteral("Progressive Display File [PRG]"),
                      QStringLiteral("8 Bit GreyScale JPG"), QStringLiteral("8 Bit GreyScale JPG [PRG]")});
    RZ_Write_Options->setGeometry(70, 24, 158, 22);

    RZ_Fractel_Options = new QGroupBox(QStringLiteral(" FIF Decompression Options "), this);
    RZ_Fractel_Options->setObjectName(QStringLiteral("RZ_Fractel_Options"));
    RZ_Fractel_Options->setGeometry(250, 300, 234, 90);
    RZ_FIF_Options = makeDropDown(RZ_Fractel_Options, QStringLiteral("RZ_FIF_Options"),
                                  QStringLiteral("Fractal  Decompression Depth Options"),
                                  {QStringLiteral("24 Bit True Colour"), QStringLiteral("8 Bit Dithered")});
    RZ_FIF_Options->setGeometry(8, 20, 218, 22);
    RZ_FIF_Scale =
        makeDropDown(RZ_Fractel_Options, QStringLiteral("RZ_FIF_Scale"),
                     QStringLiteral("Fractal Decompression Scale Options"),
                     {QStringLiteral("Full Scale"), QStringLiteral("Half Scale"),
                      QStringLiteral("Double Scale"), QStringLiteral("User Set Width and Height")});
    RZ_FIF_Scale->setGeometry(8, 44, 140, 22);
    RZ_FIF_Height = new SpinEdit(RZ_Fractel_Options, QStringLiteral("RZ_FIF_Height"), 10, 3000, 100, 1,
                                 QStringLiteral("FIF Height - User Set"));
    RZ_FIF_Height->setGeometry(152, 44, 74, 22);
    RZ_FIF_Width = new SpinEdit(RZ_Fractel_Options, QStringLiteral("RZ_FIF_Width"), 10, 3000, 100, 1,
                                QStringLiteral("FIF Width - User Set"));
    RZ_FIF_Width->setGeometry(152, 66, 74, 22);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    FormCreate();
}

void TRZ_DiskControl32V1::FormCreate()
{
    const IniFile ini(settingsFilePath());
    RZ_JPG_VALUE->setValue(ini.ReadInteger(kSection, "Jpgcomp", 100));
    RZ_Write_Options->setCurrentIndex(ini.ReadInteger(kSection, "ProgWrite", 0));
    RZ_FIF_Options->setCurrentIndex(ini.ReadInteger(kSection, "FifOption", 0));
    RZ_FIF_Scale->setCurrentIndex(ini.ReadInteger(kSection, "FifScale", 0));
    RZ_FIF_Height->setValue(ini.ReadInteger(kSection, "FifHeight", 200));
    RZ_FIF_Width->setValue(ini.ReadInteger(kSection, "FifWidth", 200));
    RZ_Preview->setChecked(ini.ReadBool(kSection, "Preview", true));
    const bool lowColour = IsLowColourDisplay();
    RZ_Commonpalette->setChecked(ini.ReadBool(kSection, "Common", lowColour));
    const QString lastFile = QString::fromStdString(
        ini.ReadString(kSection, "LastFileLoaded", defaultLastFileLoaded().toStdString()));
    // The registry does not know this dialog yet while it is being made.
    m_rememberedFileName = lastFile;
    SetLastFile(lastFile);
    if (lowColour) {
        QApplication::beep();
        DialogService::instance().information(QString::fromLatin1(kLowColourCaution));
    }
}

void TRZ_DiskControl32V1::FormClose()
{
    try {
        IniFile ini(settingsFilePath());
        ini.WriteInteger(kSection, "Jpgcomp", RZ_JPG_VALUE->value());
        ini.WriteInteger(kSection, "ProgWrite", RZ_Write_Options->currentIndex());
        ini.WriteInteger(kSection, "FifOption", RZ_FIF_Options->currentIndex());
        ini.WriteInteger(kSection, "FifScale", RZ_FIF_Scale->currentIndex());
        ini.WriteInteger(kSection, "FifHeight", RZ_FIF_Height->value());
        ini.WriteInteger(kSection, "FifWidth", RZ_FIF_Width->value());
        ini.WriteBool(kSection, "Preview", RZ_Preview->isChecked());
        ini.WriteBool(kSection, "Common", RZ_Commonpalette->isChecked());
    } catch (const IniWriteError& refused) {
        DialogService::instance().information(QString::fromStdString(refused.what()));
    }
}

void TRZ_DiskControl32V1::done(int result)
{
    FormClose();
    QDialog::done(result);
}

} // namespace vask
