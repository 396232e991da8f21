#include "store/last_file.h"

#include "shell/master_form.h"
#include "shell/program_windows.h"
#include "store/disk_control_dialog.h"

#include <QAction>

namespace vask {

void SetLastFile(const QString& fileName)
{
    ProgramWindows& windows = programWindows();
    if (windows.RZ_DiskControl32V1 != nullptr)
        windows.RZ_DiskControl32V1->setRememberedFileName(fileName);
    if (windows.KV_Masterform != nullptr)
        windows.KV_Masterform->KV_MM_LastFile->setText(fileName);
}

} // namespace vask
