#include "shell/startup.h"

#include "imagewin/background_window.h"
#include "imagewin/drag_selection_window.h"
#include "imagewin/full_screen_window.h"
#include "printing/print_preview_window.h"
#include "settings/preferences_dialog.h"
#include "shell/master_form.h"
#include "shell/program_windows.h"
#include "store/disk_control_dialog.h"
#include "utilities/utilities_window.h"

namespace vask {

void createProgramWindows()
{
    ProgramWindows& windows = programWindows();
    windows.KV_Masterform = new TKV_Masterform();
    TKV_Masterform* master = windows.KV_Masterform;
    // The stay-on-top windows are owned by the main window so they stay above it.
    windows.KV_BackGround = new TKV_BackGround();
    windows.KV_Preferences32v1 = new TKV_Preferences32v1(master);
    windows.KV_PrintPreview = new TKV_PrintPreview(master);
    windows.RZ_DiskControl32V1 = new TRZ_DiskControl32V1(master);
    windows.KV_UTilities = new TKV_UTilities(master);
    windows.KV_FullScreen = new TKV_FullScreen(master);
    windows.KV_DragSelection = new TKV_DragSelection(master);

    master->show();
    windows.KV_UTilities->show();
}

void destroyProgramWindows()
{
    ProgramWindows& windows = programWindows();
    TKV_Masterform* master = windows.KV_Masterform;
    delete windows.KV_BackGround;
    windows = ProgramWindows{};
    // The main window owns the others.
    delete master;
}

} // namespace vask
