#include "program_fixture.h"

#include "controls/component_tag.h"
#include "imagewin/background_window.h"
#include "imagewin/drag_selection_window.h"
#include "imagewin/full_screen_window.h"
#include "printing/print_preview_window.h"
#include "settings/preferences_dialog.h"
#include "shell/master_form.h"
#include "shell/status_panel_bar.h"
#include "shell/tool_palette.h"
#include "store/disk_control_dialog.h"
#include "utilities/utilities_window.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolButton>

namespace vask {
namespace {

using ProgramStart = ProgramTest;

TEST_F(ProgramStart, WithoutSettingsTheMainWindowIsCentred720By400)
{
    start();
    TKV_Masterform* master = windows().KV_Masterform;
    EXPECT_EQ(master->windowTitle(), QStringLiteral("Image Vaskolen 32+"));
    EXPECT_EQ(master->size(), QSize(720, 400));
    EXPECT_EQ(master->pos(), QPoint(screenSize().width() / 2 - 360, screenSize().height() / 2 - 200));
    EXPECT_TRUE(master->KV_MM_VaskClipboard->isChecked());
}

TEST_F(ProgramStart, EveryWindowExistsAndOnlyMainAndUtilitiesShow)
{
    start();
    ProgramWindows& all = windows();
    ASSERT_NE(all.KV_BackGround, nullptr);
    ASSERT_NE(all.KV_Preferences32v1, nullptr);
    ASSERT_NE(all.KV_PrintPreview, nullptr);
    ASSERT_NE(all.RZ_DiskControl32V1, nullptr);
    ASSERT_NE(all.KV_UTilities, nullptr);
    ASSERT_NE(all.KV_FullScreen, nullptr);
    ASSERT_NE(all.KV_DragSelection, nullptr);
    EXPECT_TRUE(all.KV_Masterform->isVisible());
    EXPECT_TRUE(all.KV_UTilities->isVisible());
    EXPECT_FALSE(all.KV_BackGround->isVisible());
    EXPECT_FALSE(all.KV_Preferences32v1->isVisible());
    EXPECT_FALSE(all.KV_PrintPreview->isVisible());
    EXPECT_FALSE(all.RZ_DiskControl32V1->isVisible());
    EXPECT_FALSE(all.KV_FullScreen->isVisible());
    EXPECT_FALSE(all.KV_DragSelection->isVisible());
    EXPECT_EQ(all.KV_UTilities->windowTitle(), QStringLiteral("Image Utilities"));
    EXPECT_EQ(all.KV_PrintPreview->windowTitle(),
              QStringLiteral("Printer Preview - Drag and Drop Image to Print"));
    EXPECT_EQ(all.RZ_DiskControl32V1->windowTitle(), QStringLiteral("Disk Control"));
    EXPECT_EQ(all.KV_BackGround->windowTitle(), QStringLiteral("BackGround"));
    auto* pages = all.KV_UTilities->findChild<QTabWidget*>(QStringLiteral("KV_UT_Options"));
    ASSERT_NE(pages, nullptr);
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("KV_UT_About"));
}

TEST_F(ProgramStart, StatusBarStartsWithItsFiveTexts)
{
    start();
    StatusPanelBar* bar = windows().KV_Masterform->KV_MF_Statuspanel;
    EXPECT_EQ(bar->panelText(0), QString());
    EXPECT_EQ(bar->panelText(1), QStringLiteral("X: 0 Y: 0"));
    EXPECT_EQ(bar->panelText(2), QStringLiteral("R: 0 G: 0 B: 0"));
    EXPECT_EQ(bar->panelText(3), QStringLiteral(" [ T:0 L:0 W:0 H:0 ]"));
    EXPECT_EQ(bar->panelText(4), QStringLiteral("No Function"));
    EXPECT_EQ(bar->toolTip(), QStringLiteral("Mouse X/Y | RGB | Selection Area | Mouse Function"));
    EXPECT_EQ(bar->height(), 19);
}

TEST_F(ProgramStart, ToolPaletteHoldsEighteenButtonsDockedAtTheTop)
{
    start();
    TKV_Masterform* master = windows().KV_Masterform;
    ToolPalette* palette = master->KV_Top_Tool_Palette;
    EXPECT_EQ(palette->buttonCount(), 18);
    EXPECT_EQ(palette->dockPosition(), PaletteDock::Top);
    EXPECT_EQ(palette->windowTitle(), QStringLiteral("Tools"));
    EXPECT_EQ(palette->toolTip(), QStringLiteral("Use Mouse to Drag and Dock Tool Palette to New Location"));
    EXPECT_EQ(master->KV_Masterform_FScreen_Icon->toolTip(),
              QStringLiteral("Show Current Image Full Screen - Click Full Image to Escape."));
    EXPECT_EQ(master->KV_Masterform_Undo_Icon->toolTip(), QStringLiteral("Undo [ AutoMatic ]"));
    EXPECT_EQ(tagOf(master->KV_Masterform_Crop_Icon), 4);
    EXPECT_EQ(tagOf(master->KV_Masterform_Refresh_Icon), 12);
    EXPECT_EQ(master->KV_Masterform_New_Icon->size(), QSize(40, 32));
}

struct MenuItemCase {
    const char* name;
    const char* caption;
    int tag;
    const char* shortcut;
};

TEST_F(ProgramStart, MainMenuItemsCarryTheirCaptionsTagsAndShortcuts)
{
    start();
    const MenuItemCase cases[] = {
        {"KV_MM_Openfile", "Open File", 0, "Ctrl+O"},
        {"KV_MM_Closefile", "Close File", 2, "Ctrl+C"},
        {"KV_MM_Scanner", "Acquire  Image [ Scan ]", 5, "Ctrl+A"},
        {"KV_MM_ScreenCapture_Screen", "Image Vaskolen's Window", 8, "F3"},
        {"CaptureClipboardData1", "Capture Clipboard Data", 24, "F5"},
        {"KV_MM_Preferences", "Preferences and Setup", 10, "Ctrl+Z"},
        {"KV_MM_VaskClipboard", "Use Image Vaskolens Clipboard", 25, ""},
        {"KV_MM_QuickExit_Call", "Exit [ No Warnings ]", 12, "Ctrl+F2"},
        {"KV_MM_ArrangeIcons", "Arrange Application Icons", 16, ""},
        {"KV_MM_Help", "Online Help", 22, "F1"},
    };
    TKV_Masterform* master = windows().KV_Masterform;
    for (const MenuItemCase& item : cases) {
        auto* action = master->findChild<QAction*>(QString::fromLatin1(item.name));
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), QString::fromLatin1(item.caption)) << item.name;
        EXPECT_EQ(tagOf(action), item.tag) << item.name;
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut))) << item.name;
    }
    EXPECT_FALSE(master->KV_MM_Scanner->isEnabled());
    QStringList menus;
    for (QAction* top : master->KV_MainMenu->actions())
        menus << top->text();
    EXPECT_EQ(menus,
              QStringList({QStringLiteral("&File"), QStringLiteral("&Window"), QStringLiteral("&About")}));
}

TEST_F(ProgramStart, LastFileCaptionStartsAsEveryFileOfTheHomeFolder)
{
    start();
    EXPECT_EQ(windows().KV_Masterform->KV_MM_LastFile->text(), QDir::homePath() + QStringLiteral("/*.*"));
    EXPECT_EQ(windows().RZ_DiskControl32V1->rememberedFileName(), QDir::homePath() + QStringLiteral("/*.*"));
}

} // namespace
} // namespace vask

namespace vask {
namespace {

using MainCommands = ProgramTest;

TEST_F(MainCommands, PreferencesOpenFromTheMenuWithoutBlocking)
{
    start();
    windows().KV_Masterform->KV_MM_Preferences->trigger();
    EXPECT_TRUE(windows().KV_Preferences32v1->isVisible());
    EXPECT_FALSE(windows().KV_Preferences32v1->isModal());
}

TEST_F(MainCommands, AboutShowsTheUtilitiesWindowOnItsAboutPage)
{
    start();
    TKV_UTilities* utilities = windows().KV_UTilities;
    auto* pages = utilities->findChild<QTabWidget*>(QStringLiteral("KV_UT_Options"));
    pages->setCurrentIndex(3);
    utilities->close();
    ASSERT_FALSE(utilities->isVisible());
    windows().KV_Masterform->KV_MM_About->trigger();
    EXPECT_TRUE(utilities->isVisible());
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("KV_UT_About"));
}

TEST_F(MainCommands, ToolsButtonHidesAndShowsTheUtilitiesWindow)
{
    start();
    TKV_Masterform* master = windows().KV_Masterform;
    master->KV_Masterform_Tools_Icon->click();
    EXPECT_FALSE(windows().KV_UTilities->isVisible());
    master->KV_Masterform_Tools_Icon->click();
    EXPECT_TRUE(windows().KV_UTilities->isVisible());
}

TEST_F(MainCommands, ClipboardSwitchFlipsItsCheckMarkEachTime)
{
    start();
    QAction* clipboard = windows().KV_Masterform->KV_MM_VaskClipboard;
    ASSERT_TRUE(clipboard->isChecked());
    clipboard->trigger();
    EXPECT_FALSE(clipboard->isChecked());
    windows().KV_Masterform->MasterFormMenuClicks(clipboard);
    EXPECT_TRUE(clipboard->isChecked());
}

TEST_F(MainCommands, TagsWithoutAnActionAndNoImageDoNothing)
{
    start();
    TKV_Masterform* master = windows().KV_Masterform;
    QObject stranger;
    setTag(&stranger, 99);
    master->MasterFormMenuClicks(&stranger);
    master->AllSpeedButtons(master->KV_Masterform_Refresh_Icon);
    EXPECT_TRUE(DialogService::instance().messageTexts().isEmpty());
    EXPECT_EQ(master->KV_MF_Statuspanel->panelText(4), QStringLiteral("No Function"));
}

} // namespace
} // namespace vask
