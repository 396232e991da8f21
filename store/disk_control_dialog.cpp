#include "store/disk_control_dialog.h"

#include "controls/classic_look.h"

#include "controls/component_tag.h"
#include "controls/dialog_service.h"
#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "imagewin/display_window.h"
#include "settings/ini_file.h"
#include "settings/settings_location.h"
#include "shell/busy_command.h"
#include "shell/shell_routines.h"
#include "store/common_palette.h"
#include "store/image_load_save.h"
#include "store/image_names.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace vask {

namespace {

const char* const kSection = "FileOptions";
const char* const kUnit = "URZDisk32v1";
constexpr int kPreviewFaultCode = 219;

// Tag, caption and extension of the "Save as" menu; MSP and FIF cannot be written.
struct SaveAsItem {
    const char* caption;
    const char* extension;
    bool enabled;
};
const SaveAsItem kSaveAsItems[] = {
    {"Save as TIF", ".TIF", true},  {"Save as TGA", ".TGA", true},  {"Save as BMP", ".BMP", true},
    {"Save as DIB", ".DIB", true},  {"Save as PCX", ".PCX", true},  {"Save as JPG", ".JPG", true},
    {"Save as MSP", ".MSP", false}, {"Save as FIF", ".FIF", false}, {"Save as PNG", ".PNG", true},
};

const char* const kLowColourCaution =
    "Caution: Your graphics card may be running in a 8 bit or an unsupported mode. For normal "
    "operation Image Vaskolen 32+ must be run with a 16 or 24 bit graphics card driver. Running "
    "in 8 bit mode will result in degraded graphics and slow response and is not supported.  When "
    "loading 8 bit Images in this mode use \"Map 8 Bit\" option.  We recommend you disable \"Show "
    "Window Contents when Dragging\" if available [NT]. Trying to load 24 bit Images in this mode "
    "will result in palletised Images.  Use Display Settings or System Settings to adjust your "
    "graphics card settings.  See Help file for further information.";

const char* const kBadSwapName =
    "Filename not valid. Unable to set specified Save as format extension. Please  "
    "retype filename including file extension.";
const char* const kSwapFailed =
    "Unable to set specified format. Please retype filename including file extension.";

} // namespace

QString defaultLastFileLoaded()
{
    return QDir::homePath() + QStringLiteral("/*.*");
}

QString saveAsExtension(int tag)
{
    if (tag < 1 || tag > static_cast<int>(std::size(kSaveAsItems)))
        return {};
    return QString::fromLatin1(kSaveAsItems[tag - 1].extension);
}

QString withExtension(const QString& name, const QString& extension)
{
    const QString part = fileNamePart(name);
    const QString folder = name.left(name.size() - part.size());
    const qsizetype dot = part.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot < 0 ? part : part.left(dot);
    if (stem.trimmed().isEmpty() || stem.contains(QLatin1Char('*')) || stem.contains(QLatin1Char('?')))
        return {};
    return folder + stem + extension;
}

TRZ_DiskControl32V1::TRZ_DiskControl32V1(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("RZ_DiskControl32V1"));
    setWindowTitle(QStringLiteral("Disk Control"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);
    applyClassicLook(this);

    buildFileLists();
    buildPreview();
    buildOptionGroups();
    buildSaveasPopup();

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - QPoint(width() / 2, height() / 2));
    FormCreate();
    // Connected after the settings were read, so reading them starts no preview.
    connectHandlers();
}

// The right column: the preview in its lowered panel, the two check boxes, OK and Cancel.
void TRZ_DiskControl32V1::buildPreview()
{
    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setLineWidth(2);
    panel->setGeometry(361, 8, 113, 113);
    RZ_Preview_Image = new TPicbuf(panel);
    RZ_Preview_Image->setObjectName(QStringLiteral("RZ_Preview_Image"));
    RZ_Preview_Image->setGeometry(2, 2, 109, 109);

    RZ_Preview = makeCheckBox(this, QStringLiteral("RZ_Preview"), QStringLiteral("Preview"),
                              QStringLiteral("Enable / Disable Preview Image"), true);
    RZ_Preview->setGeometry(361, 128, 113, 18);
    RZ_Commonpalette = makeCheckBox(
        this, QStringLiteral("RZ_Commonpalette"), QStringLiteral("Map 8 Bit"),
        QStringLiteral("Map all 8 Bit Images upon load to Common Palette [You Must \"Preview\" the Image "
                       "to map the Image - Click File List Name to Preview]"),
        false);
    RZ_Commonpalette->setGeometry(361, 148, 113, 18);

    RZ_Disk_OK_Icon = new QPushButton(QStringLiteral("OK"), this);
    RZ_Disk_OK_Icon->setObjectName(QStringLiteral("RZ_Disk_OK_Icon"));
    RZ_Disk_OK_Icon->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    RZ_Disk_OK_Icon->setGeometry(361, 232, 113, 26);
    RZ_Disk_OK_Icon->setDefault(true);
    RZ_Disk_Cancel_Icon = new QPushButton(QStringLiteral("Cancel"), this);
    RZ_Disk_Cancel_Icon->setObjectName(QStringLiteral("RZ_Disk_Cancel_Icon"));
    RZ_Disk_Cancel_Icon->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    RZ_Disk_Cancel_Icon->setGeometry(361, 266, 113, 26);
    RZ_Disk_Cancel_Icon->setAutoDefault(false);

    // Hidden helpers: the common palette holder and the PCX writer.
    RZ_Palette = new TPicbuf(this);
    RZ_Palette->setObjectName(QStringLiteral("RZ_Palette"));
    RZ_Palette->setGeometry(8, 8, 21, 21);
    RZ_Palette->hide();
    RZ_PCXPATCH = new TLeadCtrl(this);
    RZ_PCXPATCH->setObjectName(QStringLiteral("RZ_PCXPATCH"));
    RZ_PCXPATCH->setGeometry(32, 8, 21, 21);
    RZ_PCXPATCH->hide();
}

void TRZ_DiskControl32V1::buildOptionGroups()
{
    RZ_JPG_Options = new QGroupBox(QStringLiteral(" JPG - PNG Sub Compression "), this);
    RZ_JPG_Options->setObjectName(QStringLiteral("RZ_JPG_Options"));
    RZ_JPG_Options->setGeometry(8, 302, 236, 78);
    RZ_JPG_VALUE = new SpinEdit(RZ_JPG_Options, QStringLiteral("RZ_JPG_VALUE"), 5, 100, 100, 1,
                                QStringLiteral("JPG Compression Level [5 to 100]"));
    RZ_JPG_VALUE->setGeometry(8, 22, 64, 22);
    RZ_Write_Options =
        makeDropDown(RZ_JPG_Options, QStringLiteral("RZ_Write_Options"),
                     QStringLiteral("JPG and PNG Write Options - Sub Format"),
                     {QStringLiteral("None [Default]"), QStringLiteral("Progressive Display File [PRG]"),
                      QStringLiteral("8 Bit GreyScale JPG"), QStringLiteral("8 Bit GreyScale JPG [PRG]")});
    RZ_Write_Options->setGeometry(8, 48, 220, 22);

    RZ_Fractel_Options = new QGroupBox(QStringLiteral(" FIF Decompression Options "), this);
    RZ_Fractel_Options->setObjectName(QStringLiteral("RZ_Fractel_Options"));
    RZ_Fractel_Options->setGeometry(250, 302, 234, 78);
    RZ_FIF_Options = makeDropDown(RZ_Fractel_Options, QStringLiteral("RZ_FIF_Options"),
                                  QStringLiteral("Fractal  Decompression Depth Options"),
                                  {QStringLiteral("24 Bit True Colour"), QStringLiteral("8 Bit Dithered")});
    RZ_FIF_Options->setGeometry(8, 22, 140, 22);
    RZ_FIF_Scale =
        makeDropDown(RZ_Fractel_Options, QStringLiteral("RZ_FIF_Scale"),
                     QStringLiteral("Fractal Decompression Scale Options"),
                     {QStringLiteral("Full Scale"), QStringLiteral("Half Scale"),
                      QStringLiteral("Double Scale"), QStringLiteral("User Set Width and Height")});
    RZ_FIF_Scale->setGeometry(8, 48, 140, 22);
    RZ_FIF_Height = new SpinEdit(RZ_Fractel_Options, QStringLiteral("RZ_FIF_Height"), 10, 3000, 100, 1,
                                 QStringLiteral("FIF Height - User Set"));
    RZ_FIF_Height->setGeometry(152, 22, 74, 22);
    RZ_FIF_Width = new SpinEdit(RZ_Fractel_Options, QStringLiteral("RZ_FIF_Width"), 10, 3000, 100, 1,
                                QStringLiteral("FIF Width - User Set"));
    RZ_FIF_Width->setGeometry(152, 48, 74, 22);
}

void TRZ_DiskControl32V1::buildSaveasPopup()
{
    RZ_Saveas_Popup = new QMenu(this);
    RZ_Saveas_Popup->setObjectName(QStringLiteral("RZ_Saveas_Popup"));
    int tag = 1;
    for (const SaveAsItem& item : kSaveAsItems) {
        QAction* action = RZ_Saveas_Popup->addAction(QString::fromLatin1(item.caption));
        setTag(action, tag++);
        action->setEnabled(item.enabled);
        connect(action, &QAction::triggered, this, [this, action] { swapExtension(tagOf(action)); });
    }
    // The menu is popped up, not run modally, so a right click never blocks the dialog.
    connect(RZ_File_Name, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { RZ_Saveas_Popup->popup(RZ_File_Name->mapToGlobal(at)); });
    setSaveasPopupEnabled(false);
}

void TRZ_DiskControl32V1::connectHandlers()
{
    connect(RZ_Disk_OK_Icon, &QPushButton::clicked, this, &TRZ_DiskControl32V1::RZ_Disk_OK_IconClick);
    connect(RZ_Disk_Cancel_Icon, &QPushButton::clicked, this, &TRZ_DiskControl32V1::RZ_Disk_Cancel_IconClick);
    connect(RZ_Preview, &QCheckBox::clicked, this, &TRZ_DiskControl32V1::RZ_PreviewClick);
    connect(RZ_Commonpalette, &QCheckBox::clicked, this, &TRZ_DiskControl32V1::RZ_CommonpaletteClick);
    connect(RZ_FIF_Options, &QComboBox::currentIndexChanged, this,
            &TRZ_DiskControl32V1::RZ_FIF_OptionsChange);
    connect(RZ_FIF_Scale, &QComboBox::currentIndexChanged, this, &TRZ_DiskControl32V1::RZ_FIF_OptionsChange);
    connect(RZ_Preview_Image, &TPicbuf::Change, this, &TRZ_DiskControl32V1::RZ_Preview_ImageChange);
    connect(RZ_Preview_Image, &TPicbuf::Click, this, &TRZ_DiskControl32V1::RZ_Preview_ImageClick);

    connect(RZ_Selected_Extension, &QComboBox::currentIndexChanged, this, [this] { fillFileList(); });
    connect(RZ_Selected_Drive, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_fillingLists && index >= 0)
            setCurrentFolder(RZ_Selected_Drive->itemData(index).toString());
    });
    connect(RZ_Directory_list, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setCurrentFolder(QDir(m_folder).filePath(item->text())); });
    // A selection moved by mouse or keys previews at once; a click on the file already
    // selected previews it again.
    connect(RZ_File_List, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (m_fillingLists || item == nullptr)
            return;
        m_previewedItem = item;
        fileListItemChosen(item);
    });
    connect(RZ_File_List, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        if (item == m_previewedItem) {
            m_previewedItem = nullptr;
            return;
        }
        fileListItemChosen(item);
    });
}

// --- settings, show and close ---------------------------------------------------------------

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
    // The registry does not know this dialog yet while it is being made, so the set-last-file
    // step reaches only the main menu; the dialog's own part is done here.
    m_rememberedFileName = lastFile;
    setFilterIndex(filterIndexOf(lastFile));
    setFileListFileName(lastFile);
    SetLastFile(lastFile);
    if (lowColour) {
        QApplication::beep();
        DialogService::instance().information(QString::fromLatin1(kLowColourCaution));
    }
}

void TRZ_DiskControl32V1::setSaveasPopupEnabled(bool on)
{
    RZ_File_Name->setContextMenuPolicy(on ? Qt::CustomContextMenu : Qt::NoContextMenu);
}

void TRZ_DiskControl32V1::FormShow()
{
    const bool saving = windowTitle().contains(QStringLiteral("Save"));
    setSaveasPopupEnabled(saving);
    RZ_JPG_Options->setEnabled(saving);
    RZ_Fractel_Options->setEnabled(!saving);
}

void TRZ_DiskControl32V1::showEvent(QShowEvent* event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TRZ_DiskControl32V1::RZ_Disk_OK_IconClick()
{
    const QString folder = currentFolder();
    m_rememberedFileName =
        folder + (folder == QStringLiteral("/") ? QString() : QStringLiteral("/")) + RZ_File_Name->text();
    accept();
}

void TRZ_DiskControl32V1::RZ_Disk_Cancel_IconClick()
{
    const QString folder = currentFolder();
    m_rememberedFileName =
        folder + (folder == QStringLiteral("/") ? QString() : QStringLiteral("/")) + RZ_File_Name->text();
    reject();
}

// Escape is the Cancel button, which remembers the name as well.
void TRZ_DiskControl32V1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        RZ_Disk_Cancel_IconClick();
        return;
    }
    QDialog::keyPressEvent(event);
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
    QCoreApplication::processEvents();
}

void TRZ_DiskControl32V1::done(int result)
{
    FormClose();
    QDialog::done(result);
}

// --- the preview ----------------------------------------------------------------------------

void TRZ_DiskControl32V1::RZ_File_ListClick()
{
    if (!RZ_Preview->isChecked())
        return;
    const QString name = selectedFileName();
    if (name.isEmpty() || !isValidImageName(name)) {
        SetBusy(false);
        ShowProgress(QStringLiteral("No Function"));
        return;
    }
    runBusyCommand(
        kUnit, kPreviewFaultCode, QStringLiteral("Loading Image........"),
        [this, &name] {
            RZ_Preview_Image->ClearImage();
            QCoreApplication::processEvents();
            RZ_Preview_Image->setFileName(name);
            PreparePicture(*RZ_Preview_Image);
            if (isFifName(name) && !QDir::setCurrent(QFileInfo(name).absolutePath()))
                throw std::runtime_error("Cannot make " + QFileInfo(name).absolutePath().toStdString() +
                                         " the current folder.");
            if (QFileInfo::exists(name))
                RZ_Preview_Image->Load();
            if (RZ_Commonpalette->isChecked() && RZ_Preview_Image->Contents() == 1)
                MapToCommonPalette(*RZ_Preview_Image);
        },
        true);
}

void TRZ_DiskControl32V1::RZ_PreviewClick()
{
    if (RZ_Preview->isChecked())
        RZ_File_ListClick();
    else
        RZ_Preview_Image->ClearImage();
}

void TRZ_DiskControl32V1::RZ_CommonpaletteClick()
{
    if (RZ_Commonpalette->isChecked())
        RZ_File_ListClick();
    else
        RZ_Preview_Image->ClearImage();
}

void TRZ_DiskControl32V1::RZ_FIF_OptionsChange()
{
    if (isFifName(selectedFileName()))
        RZ_File_ListClick();
}

void TRZ_DiskControl32V1::RZ_Preview_ImageChange()
{
    RZ_Preview_Image->setToolTip(RZ_Preview_Image->InfoImage());
}

void TRZ_DiskControl32V1::RZ_Preview_ImageClick()
{
    if (RZ_Preview_Image->Contents() == 1 && RZ_Preview_Image->ColorDepth() <= 8) {
        RZ_Preview_Image->RealizePalette();
        RZ_Preview_Image->Refresh();
    }
}

// --- the "Save as" menu ---------------------------------------------------------------------

void TRZ_DiskControl32V1::swapExtension(int tag)
{
    try {
        if (!windowTitle().contains(QStringLiteral("Save")))
            setSaveasPopupEnabled(false);
        const QString extension = saveAsExtension(tag);
        if (extension.isEmpty())
            return;
        const QString swapped = withExtension(RZ_File_Name->text(), extension);
        if (swapped.isEmpty()) {
            DialogService::instance().information(QString::fromLatin1(kBadSwapName));
            RZ_File_Name->setText(QStringLiteral("Error.???"));
        } else {
            RZ_File_Name->setText(swapped);
        }
        setFilterIndex(tag);
    } catch (...) {
        DialogService::instance().information(QString::fromLatin1(kSwapFailed));
    }
}

} // namespace vask
