#include "shell/master_menu.h"

namespace vask {

const std::vector<MenuRow>& mainMenuRows()
{
    using K = MenuRow::Kind;
    static const std::vector<MenuRow> rows = {
        {K::TopMenu, "KV_MM_FileMenu", "&File", -1, {}},
        {K::Item, "KV_MM_Openfile", "Open File", 0, QKeySequence(QStringLiteral("Ctrl+O"))},
        {K::Item, "KV_MM_NewImage", "New Image", 1, QKeySequence(QStringLiteral("Ctrl+N"))},
        {K::Item, "KV_MM_Closefile", "Close File", 2, QKeySequence(QStringLiteral("Ctrl+C"))},
        {K::Separator, "", "", -1, {}},
        {K::Item, "KV_MM_Saveas", "Save As", 3, QKeySequence(QStringLiteral("Ctrl+D"))},
        {K::Separator, "", "", -1, {}},
        {K::Item, "KV_MM_PrintPreview", "Print Manager", 4, QKeySequence(QStringLiteral("Ctrl+P"))},
        {K::Separator, "", "", -1, {}},
        {K::Item, "KV_MM_Scanner", "Acquire  Image [ Scan ]", 5, QKeySequence(QStringLiteral("Ctrl+A"))},
        {K::Item, "KV_MM_SelectSource", "Select Scanner Source", 6, QKeySequence(QStringLiteral("Ctrl+W"))},
        {K::Submenu, "KV_MM_ScreenCapture", "Screen Capture", -1, {}},
        {K::Item, "KV_MM_ScreenCapture_ImageVask", "Capture Entire Screen", 7, QKeySequence(Qt::Key_F2)},
        {K::Item, "KV_MM_ScreenCapture_Screen", "Image Vaskolen's Window", 8, QKeySequence(Qt::Key_F3)},
        {K::Item, "ScreenandImageVaskolen1", "Screen and Image Vaskolen", 9, QKeySequence(Qt::Key_F4)},
        {K::Item, "CaptureClipboardData1", "Capture Clipboard Data", 24, QKeySequence(Qt::Key_F5)},
        {K::EndSubmenu, "", "", -1, {}},
        {K::Separator, "", "", -1, {}},
        {K::Submenu, "KV_MM_Addons", "User Software Add On's", -1, {}},
        {K::Item, "KV_MM_Addons_Addon1", "Image Morvalt 32+", 18, QKeySequence(Qt::Key_F6)},
        {K::Item, "KV_MM_Addons_Addon2", "- Available -", 19, QKeySequence(Qt::Key_F7)},
        {K::Item, "KV_MM_Addons_Addon3", "- Available -", 20, QKeySequence(Qt::Key_F8)},
        {K::Item, "KV_MM_Addons_Addon4", "- Available -", 21, QKeySequence(Qt::Key_F9)},
        {K::EndSubmenu, "", "", -1, {}},
        {K::Separator, "", "", -1, {}},
        {K::Item, "KV_MM_Preferences", "Preferences and Setup", 10, QKeySequence(QStringLiteral("Ctrl+Z"))},
        {K::Item, "KV_MM_VaskClipboard", "Use Image Vaskolens Clipboard", 25, {}},
        {K::Separator, "", "", -1, {}},
        {K::Item, "KV_MM_Exit", "Exit", 11, QKeySequence(QStringLiteral("Ctrl+F1"))},
        {K::Submenu, "KV_MM_QuickExit", "Quick Exit", -1, {}},
        {K::Item, "KV_MM_QuickExit_Call", "Exit [ No Warnings ]", 12,
         QKeySequence(QStringLiteral("Ctrl+F2"))},
        {K::EndSubmenu, "", "", -1, {}},
        {K::Separator, "", "", -1, {}},
        {K::Item, "KV_MM_LastFile", "Last File", 13, QKeySequence(QStringLiteral("Ctrl+L"))},
        {K::TopMenu, "KV_MM_WindowMenu_Caption", "&Window", -1, {}},
        {K::Item, "KV_MM_TileImages", "Tile Child Images", 14, {}},
        {K::Item, "KV_MM_CascadeImages", "Cascade Child Images", 15, {}},
        {K::Item, "KV_MM_ArrangeIcons", "Arrange Application Icons", 16, {}},
        {K::Separator, "", "", -1, {}},
        {K::Item, "KV_MM_MinimiseImages", "Minimise Child Images", 17, {}},
        {K::TopMenu, "KV_MM_AboutMenu", "&About", -1, {}},
        {K::Item, "KV_MM_About", "About Image Vaskolen", 23, {}},
        {K::Item, "KV_MM_Help", "Online Help", 22, QKeySequence(Qt::Key_F1)},
    };
    return rows;
}

const std::vector<PaletteButtonRow>& paletteButtonRows()
{
    static const std::vector<PaletteButtonRow> rows = {
        {"KV_Masterform_New_Icon", "New Image based on preferences", 0, false},
        {"KV_Masterform_Open_Icon", "Open an existing file", 1, false},
        {"KV_Masterform_ReOpen_Icon", "Reopen last Image", 2, false},
        {"KV_Masterform_Save_Icon", "Save Image to Disk As", 3, false},
        {"KV_Masterform_Print_Icon", "Open Print Manager", 4, false},
        {"KV_Masterform_Exit_Icon", "Exit Application", 5, false},
        {"KV_Masterform_ResetMouse_Icon", "Cancel all functions, set default pointer", 0, true},
        {"KV_Masterform_Drag_Icon", "Enable Drag Mode", 1, true},
        {"KV_Masterform_Auto_Icon", "Set Image to Auto Zoom", 2, true},
        {"KV_Masterform_Pan_Icon", "Show Image Actual Size - 1:1 and enable Pan", 3, true},
        {"KV_Masterform_Crop_Icon", "Define a Selection Area", 4, true},
        {"KV_Masterform_Tools_Icon", "Show or Hide Tool Palette", 6, false},
        {"KV_Masterform_FScreen_Icon", "Show Current Image Full Screen - Click Full Image to Escape.", 7,
         false},
        {"KV_Masterform_HoldMark_Icon", "'Mark and Hold' Active Image", 8, false},
        {"KV_Masterform_UndoMark_Icon", "Restore 'Marked' Image to Current Image", 9, false},
        {"KV_Masterform_Undo_Icon", "Undo [ AutoMatic ]", 10, false},
        {"KV_Masterform_Clear_Icon", "Reset all Image Controls [Not Children]", 11, false},
        {"KV_Masterform_Refresh_Icon", "Refresh Active Child", 12, false},
    };
    return rows;
}

} // namespace vask
