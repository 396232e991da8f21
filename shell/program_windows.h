#pragma once

namespace vask {

class TKV_Masterform;
class TKV_BackGround;
class TKV_Preferences32v1;
class TKV_PrintPreview;
class TRZ_DiskControl32V1;
class TKV_UTilities;
class TKV_FullScreen;
class TKV_DragSelection;
class StatusPanelBar;

// The windows created once at start-up, by the names the handlers use for each other.
// Windows read each other's controls directly as the live values of settings.
struct ProgramWindows {
    TKV_Masterform* KV_Masterform = nullptr;
    TKV_BackGround* KV_BackGround = nullptr;
    TKV_Preferences32v1* KV_Preferences32v1 = nullptr;
    TKV_PrintPreview* KV_PrintPreview = nullptr;
    TRZ_DiskControl32V1* RZ_DiskControl32V1 = nullptr;
    TKV_UTilities* KV_UTilities = nullptr;
    TKV_FullScreen* KV_FullScreen = nullptr;
    TKV_DragSelection* KV_DragSelection = nullptr;
};

ProgramWindows& programWindows();

// The main window's status bar, or null before the main window exists (status routines
// then do nothing).
StatusPanelBar* programStatusBar();

} // namespace vask
