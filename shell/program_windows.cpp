#include "shell/program_windows.h"

#include "shell/master_form.h"

namespace vask {

ProgramWindows& programWindows()
{
    static ProgramWindows windows;
    return windows;
}

StatusPanelBar* programStatusBar()
{
    TKV_Masterform* master = programWindows().KV_Masterform;
    return master != nullptr ? master->KV_MF_Statuspanel : nullptr;
}

} // namespace vask
