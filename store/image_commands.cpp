#include "store/image_load_save.h"

#include "controls/picbuf.h"
#include "shell/master_form.h"
#include "shell/program_windows.h"
#include "store/disk_control_dialog.h"
#include "store/image_names.h"

#include <QAction>
#include <QFileInfo>
#include <QGroupBox>

namespace vask {

namespace {

// Only a file counts: the last file may still be a mask such as "/home/me/*.*" or a folder.
bool isExistingFile(const QString& name)
{
    return !name.isEmpty() && QFileInfo(name).isFile();
}

} // namespace

int execDiskDialog(TRZ_DiskControl32V1& dialog)
{
    return dialog.exec();
}

std::function<int(TRZ_DiskControl32V1&)> showDiskDialog = execDiskDialog;

void SetLastFile(const QString& fileName)
{
    ProgramWindows& windows = programWindows();
    // While the dialog is being made at start-up it is not registered yet; it remembers the
    // name itself then.
    if (TRZ_DiskControl32V1* dialog = windows.RZ_DiskControl32V1) {
        dialog->setRememberedFileName(fileName);
        dialog->setFilterIndex(filterIndexOf(fileName));
        dialog->setFileListFileName(fileName);
    }
    if (windows.KV_Masterform != nullptr)
        windows.KV_Masterform->KV_MM_LastFile->setText(fileName);
}

void OpenFileCommand()
{
    TRZ_DiskControl32V1* dialog = programWindows().RZ_DiskControl32V1;
    if (dialog == nullptr)
        return;
    dialog->setWindowTitle(QStringLiteral("Disk Control - [Load Image]"));
    dialog->RZ_JPG_Options->setEnabled(false);
    dialog->RZ_Fractel_Options->setEnabled(true);
    if (showDiskDialog(*dialog) != QDialog::Accepted)
        return;
    const QString name = dialog->rememberedFileName();
    if (!isExistingFile(name))
        return;
    LoadImage(name);
    SetLastFile(name);
}

void SaveAsCommand()
{
    TRZ_DiskControl32V1* dialog = programWindows().RZ_DiskControl32V1;
    if (dialog == nullptr || !ActiveImageHasPicture())
        return;
    dialog->setWindowTitle(QStringLiteral("Disk Control - [Save As]"));
    dialog->RZ_JPG_Options->setEnabled(true);
    dialog->RZ_Fractel_Options->setEnabled(false);
    dialog->RZ_Preview_Image->ClearImage();
    if (showDiskDialog(*dialog) == QDialog::Accepted)
        SaveActiveImage(dialog->rememberedFileName());
    // Also after Cancel: the name the dialog ended with is the last file.
    SetLastFile(dialog->rememberedFileName());
}

void ReopenLastFileCommand()
{
    const TKV_Masterform* master = programWindows().KV_Masterform;
    if (master == nullptr)
        return;
    const QString name = master->KV_MM_LastFile->text();
    if (!isExistingFile(name))
        return;
    LoadImage(name);
    SetLastFile(name);
}

} // namespace vask
