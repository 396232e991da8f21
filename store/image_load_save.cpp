#include "store/image_load_save.h"

#include "controls/dialog_service.h"
#include "controls/form_widgets.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "imagewin/display_window.h"
#include "shell/fault_report.h"
#include "shell/program_windows.h"
#include "shell/status_routines.h"
#include "store/disk_control_dialog.h"
#include "store/image_names.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <optional>
#include <stdexcept>

namespace vask {

namespace {

const char* const kUnit = "UIKUtil32v1";

const char* const kNotValidName = "The selected filename is not valid [Always include the extension --> "
                                  "\"Example.BMP\"]. The file has not been saved.";
const char* const kOverwriteQuestion = "The Selected file name already exists on Disk - OverWrite this file?";
const char* const kMspRefused = "The MSP save as format is a reserved format [used by Microsoft Access]. "
                                "Please select BMP to save your file.";
const char* const kJpgGreyRefused = "A 24 bit Image cannot be saved as a JPG file with the \"8 Bit GreyScale "
                                    "JPG\" option selected. Select default compression or reduce the Images "
                                    "depth.";
const char* const kJpgGreyProgressiveRefused =
    "A 24 bit Image cannot be saved as a JPG file with the \"8 Bit GreyScale JPG [PRG]\" option selected. "
    "Select default compression or reduce the Images depth.";
const char* const kPngRefused =
    "You cannot save a \"PNG file\" with a JPG compression option selected. Select "
    "Default or Progressive Compression.";

// Write options of RZ_Write_Options that ask for an 8-bit greyscale JPG.
constexpr int kGreyJpgOption = 2;
constexpr int kGreyJpgProgressiveOption = 3;
// The LEAD control's file format number for PCX.
constexpr int kLeadPcxFormat = 1;

[[noreturn]] void fail(const QString& text)
{
    throw std::runtime_error(text.toStdString());
}

// The format options and the PCX writer live on the disk control dialog, made at start-up.
TRZ_DiskControl32V1& diskControl()
{
    TRZ_DiskControl32V1* dialog = programWindows().RZ_DiskControl32V1;
    if (dialog == nullptr)
        fail(QStringLiteral("The Disk Control dialog does not exist."));
    return *dialog;
}

void information(const char* text)
{
    DialogService::instance().information(QString::fromLatin1(text));
}

// The folder of a FIF file becomes the current folder: its decoder looks for its side files
// there.
void enterFolderOf(const QString& fileName)
{
    const QString folder = QFileInfo(fileName).absolutePath();
    if (!QDir::setCurrent(folder))
        fail(QStringLiteral("The folder %1 cannot be made the current folder.").arg(folder));
}

} // namespace

void LoadImage(const QString& fileName)
{
    BusyGuard busy(QStringLiteral("Loading Image......"));
    guardedHandler(
        kUnit, 172,
        [&] {
            // Icons of .EXE and .DLL files are extracted by the icon page; until then the
            // name loads nothing.
            if (isIconSource(fileName))
                return;
            if (!isValidImageName(fileName))
                return;
            TKV_Display* window = CreateImageWindow();
            TPicbuf& picture = *window->ChildPicbuf;
            PreparePicture(picture);
            picture.setFileName(fileName);
            if (isFifName(fileName))
                enterFolderOf(fileName);
            // A previewed picture is taken as it is: the file is not read a second time, even
            // when the name was typed after the preview.
            TRZ_DiskControl32V1* dialog = programWindows().RZ_DiskControl32V1;
            if (dialog != nullptr && dialog->RZ_Preview->isChecked() &&
                dialog->RZ_Preview_Image->Contents() == 1) {
                TransferImage(dialog->RZ_Preview_Image, &picture);
                dialog->RZ_Preview_Image->ClearImage();
            } else if (isValidImageName(picture.FileName())) {
                picture.Load();
            }
            window->setWindowTitle(fileNamePart(fileName));
        },
        true);
}

void SaveActiveImage(const QString& fileName)
{
    if (!isValidImageName(fileName)) {
        information(kNotValidName);
        return;
    }
    // Made only once the questions are answered; it ends the busy state after any report.
    std::optional<BusyGuard> busy;
    const bool done = guardedHandler(
        kUnit, 222,
        [&] {
            QCoreApplication::processEvents();
            TKV_Display* window = activeImageWindow();
            if (window == nullptr)
                fail(QStringLiteral("There is no active image to save."));
            TPicbuf& picture = *window->ChildPicbuf;
            picture.setFileName(fileName);
            if (SaveChecks(picture)) {
                SaveAsCommand();
                return;
            }
            const QString target = picture.FileName();
            if (QFileInfo::exists(target) &&
                !DialogService::instance().confirm(QString::fromLatin1(kOverwriteQuestion)))
                return;
            QCoreApplication::processEvents();
            busy.emplace(QStringLiteral("Saving Image......"));
            if (!SaveAsPcx(target, picture))
                picture.Save();
            window->setWindowTitle(fileNamePart(picture.FileName()));
        },
        true);
    if (!done && !busy) {
        ShowProgress(QStringLiteral("No Function"));
        SetBusy(false);
    }
}

bool SaveChecks(TPicbuf& picture)
{
    bool refused = false;
    guardedHandler(kUnit, 363, [&] {
        const QString name = picture.FileName().toUpper();
        if (name.contains(QLatin1String(".MSP"))) {
            information(kMspRefused);
            refused = true;
        }
        if (name.contains(QLatin1String(".JPG"))) {
            TRZ_DiskControl32V1& dialog = diskControl();
            picture.setJPGQuality(dialog.RZ_JPG_VALUE->value());
            picture.setWriteOption(dialog.RZ_Write_Options->currentIndex());
            if (picture.ColorDepth() == 24 && picture.WriteOption() == kGreyJpgOption) {
                information(kJpgGreyRefused);
                refused = true;
            } else if (picture.ColorDepth() == 24 && picture.WriteOption() == kGreyJpgProgressiveOption) {
                information(kJpgGreyProgressiveRefused);
                refused = true;
            }
        } else if (name.contains(QLatin1String(".PNG"))) {
            picture.setJPGQuality(0);
            picture.setWriteOption(diskControl().RZ_Write_Options->currentIndex());
            const int option = picture.WriteOption();
            if (picture.ColorDepth() == 24 &&
                (option == kGreyJpgOption || option == kGreyJpgProgressiveOption)) {
                information(kPngRefused);
                refused = true;
            }
        } else {
            // No FIF encoder exists; the dialog simply opens again.
            if (name.contains(QLatin1String(".FIF")))
                refused = true;
            // Uncompressed for TIFF; the other formats have no compression choice.
            picture.setWriteOption(0);
        }
    });
    return refused;
}

bool SaveAsPcx(const QString& fileName, TPicbuf& picture)
{
    if (!fileName.toUpper().contains(QLatin1String(".PCX")))
        return false;
    TLeadCtrl* writer = nullptr;
    try {
        writer = diskControl().RZ_PCXPATCH;
        TransferImage(&picture, writer);
        SetBusy(true);
        ShowProgress(QStringLiteral("Saving Image......"));
        const int depth = picture.ColorDepth();
        const bool writable = depth == 1 || depth == 4 || depth == 8 || depth == 24;
        writer->Save(fileName, kLeadPcxFormat, writable ? depth : 24, 0, false);
    } catch (...) {
        DialogService::instance().information(
            faultMessage(kUnit, 259, QStringLiteral("[PCX]") + faultTextOf(std::current_exception())));
    }
    // The writer's copy is released whatever happened, so it never holds a picture between saves.
    if (writer != nullptr)
        writer->setBitmap(0);
    return true;
}

bool ActiveImageHasPicture()
{
    const TKV_Display* window = activeImageWindow();
    return window != nullptr && window->ChildPicbuf != nullptr && window->ChildPicbuf->Contents() == 1;
}

} // namespace vask
