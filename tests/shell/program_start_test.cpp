#include "program_fixture.h"

#include "controls/component_tag.h"
#include "imagewin/background_window.h"
#include "imagewin/drag_selection_window.h"
#include "imagewin/full_screen_window.h"
#include "printing/print_preview_window.h"
#include "shell/tool_palette.h"
#include "utilities/utilities_window.h"

#include <QApplication>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace vask {
namespace {

using ProgramStart = ProgramTest;

TEST_F(ProgramStart, WithoutSettingsTheCentredMainWindowAndTheUtilitiesAloneShow)
{
    start();
    const ProgramWindows& w = windows();
    const QList<QWidget*> all = {w.KV_Masterform,      w.KV_UTilities,    w.KV_BackGround,
                                 w.KV_Preferences32v1, w.KV_PrintPreview, w.RZ_DiskControl32V1,
                                 w.KV_FullScreen,      w.KV_DragSelection};
    QStringList titles;
    QList<QWidget*> visible;
    for (QWidget* window : all) {
        ASSERT_NE(window, nullptr);
        titles << window->windowTitle();
        if (window->isVisible())
            visible << window;
    }
    EXPECT_EQ(visible, all.first(2));
    EXPECT_EQ(
        titles,
        QStringList({"Image Vaskolen 32+", "Image Utilities", "BackGround", "Preferences and Defaults",
                     "Printer Preview - Drag and Drop Image to Print", "Disk Control", "Full Screen", ""}));
    EXPECT_EQ(master().size(), QSize(720, 400));
    EXPECT_EQ(master().pos(), QPoint(screenSize().width() / 2 - 360, screenSize().height() / 2 - 200));
    EXPECT_TRUE(master().KV_MM_VaskClipboard->isChecked());
    auto* pages = w.KV_UTilities->findChild<QTabWidget*>(QStringLiteral("KV_UT_Options"));
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("KV_UT_About"));
    EXPECT_EQ(master().KV_MM_LastFile->text(), QDir::homePath() + QStringLiteral("/*.*"));
    EXPECT_EQ(disk().rememberedFileName(), QDir::homePath() + QStringLiteral("/*.*"));

    StatusPanelBar* bar = master().KV_MF_Statuspanel;
    const QStringList panels = {QString(), "X: 0 Y: 0", "R: 0 G: 0 B: 0", " [ T:0 L:0 W:0 H:0 ]",
                                "No Function"};
    for (int panel = 0; panel < panels.size(); ++panel)
        EXPECT_EQ(bar->panelText(panel), panels[panel]) << panel;
    EXPECT_EQ(bar->toolTip(), QStringLiteral("Mouse X/Y | RGB | Selection Area | Mouse Function"));

    ToolPalette* palette = master().KV_Top_Tool_Palette;
    EXPECT_EQ(palette->buttonCount(), 18);
    EXPECT_EQ(palette->dockPosition(), PaletteDock::Top);
    EXPECT_EQ(palette->windowTitle(), QStringLiteral("Tools"));
    EXPECT_EQ(palette->toolTip(), QStringLiteral("Use Mouse to Drag and Dock Tool Palette to New Location"));
    EXPECT_EQ(master().KV_Masterform_FScreen_Icon->toolTip(),
              QStringLiteral("Show Current Image Full Screen - Click Full Image to Escape."));
    EXPECT_EQ(master().KV_Masterform_Undo_Icon->toolTip(), QStringLiteral("Undo [ AutoMatic ]"));
}

TEST_F(ProgramStart, MainMenuItemsCarryTheirCaptionsTagsAndShortcuts)
{
    start();
    // clang-format off
    struct Item { const char* name; const char* caption; int tag; const char* shortcut; };
    const Item items[] = {
        {"KV_MM_Openfile", "Open File", 0, "Ctrl+O"}, {"KV_MM_Closefile", "Close File", 2, "Ctrl+C"},
        {"KV_MM_Scanner", "Acquire  Image [ Scan ]", 5, "Ctrl+A"}, {"KV_MM_Help", "Online Help", 22, "F1"},
        {"KV_MM_ScreenCapture_Screen", "Image Vaskolen's Window", 8, "F3"},
        {"CaptureClipboardData1", "Capture Clipboard Data", 24, "F5"},
        {"KV_MM_Preferences", "Preferences and Setup", 10, "Ctrl+Z"},
        {"KV_MM_VaskClipboard", "Use Image Vaskolens Clipboard", 25, ""},
        {"KV_MM_QuickExit_Call", "Exit [ No Warnings ]", 12, "Ctrl+F2"},
        {"KV_MM_ArrangeIcons", "Arrange Application Icons", 16, ""},
    };
    // clang-format on
    for (const Item& item : items) {
        auto* action = master().findChild<QAction*>(QString::fromLatin1(item.name));
        ASSERT_NE(action, nullptr) << item.name;
        EXPECT_EQ(action->text(), QString::fromLatin1(item.caption)) << item.name;
        EXPECT_EQ(tagOf(action), item.tag) << item.name;
        EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut))) << item.name;
    }
    EXPECT_FALSE(master().KV_MM_Scanner->isEnabled());
    EXPECT_EQ(menuBarTitles(), QStringList({"&File", "&Window", "&About"}));
}

TEST_F(ProgramStart, ExitWritesTheMainWindowKeysAndASecondStartReadsThemBack)
{
    start();
    master().move(40, 30);
    master().resize(800, 500);
    master().KV_MM_VaskClipboard->trigger();
    SetLastFile(QStringLiteral("/tmp/pictures/holiday one.png"));
    master().KV_Top_Tool_Palette->dockAt(PaletteDock::Left);
    master().KV_MM_Exit->trigger();
    const IniFile ini(settingsFilePath());
    EXPECT_EQ(QRect(ini.ReadInteger("Layout", "Left", -1), ini.ReadInteger("Layout", "Top", -1),
                    ini.ReadInteger("Layout", "Width", -1), ini.ReadInteger("Layout", "Height", -1)),
              QRect(40, 30, 800, 500));
    EXPECT_EQ(ini.ReadString("FileOptions", "LastFileLoaded", ""), "/tmp/pictures/holiday one.png");
    EXPECT_EQ(ini.ReadString("Clipboard", "VaskClip", ""), "0");
    for (const char* key : {"FloatLeft", "FloatTop", "FloatWidth", "FloatHeight"})
        EXPECT_TRUE(ini.hasKey("KV_Top_Tool_Palette", key)) << key;
    EXPECT_EQ(ini.ReadInteger("KV_Top_Tool_Palette", "Dock", -1), 3);
    // Exit closes the utilities window first, which writes its own keys.
    EXPECT_TRUE(ini.hasKey("Layout", "UtilityTop"));
    EXPECT_TRUE(ini.hasKey("DragDrop", "DragAsImage"));
    stop();
    start();
    EXPECT_EQ(master().pos(), QPoint(40, 30));
    EXPECT_EQ(master().size(), QSize(800, 500));
    EXPECT_EQ(master().KV_MM_LastFile->text(), QStringLiteral("/tmp/pictures/holiday one.png"));
    EXPECT_EQ(master().KV_Top_Tool_Palette->dockPosition(), PaletteDock::Left);
    EXPECT_FALSE(master().KV_MM_VaskClipboard->isChecked());
}

TEST_F(ProgramStart, QuickExitWritesNoMainWindowKeys)
{
    start();
    SetLastFile(QStringLiteral("/tmp/never written.bmp"));
    // Quick exit ends the program's event loop at once (run here as the program runs it).
    QTimer::singleShot(0, &master(), [this] { master().KV_MM_QuickExit_Call->trigger(); });
    EXPECT_EQ(QApplication::exec(), 0);
    const IniFile ini(settingsFilePath());
    EXPECT_FALSE(ini.hasKey("Layout", "Top"));
    EXPECT_FALSE(ini.hasKey("FileOptions", "LastFileLoaded"));
    EXPECT_FALSE(ini.hasKey("Clipboard", "VaskClip"));
    // Only the utilities window, closed on the way out, keeps its place.
    EXPECT_TRUE(ini.hasKey("Layout", "UtilityTop"));
}

TEST_F(ProgramStart, MainWindowKeysAreReadByTheProfileRules)
{
    // Keys in any case, hexadecimal, text that is no number, a boolean that is not 0 or 1.
    writeBytes(settingsPath(), "[layout]\r\nTOP=0x10\r\nleft=abc\r\nWidth = 810\r\nHEIGHT=\r\n"
                               "[Clipboard]\r\nvaskclip=2\r\n");
    start();
    EXPECT_EQ(master().pos(), QPoint(screenSize().width() / 2 - 360, 16));
    EXPECT_EQ(master().size(), QSize(810, 400));
    EXPECT_TRUE(master().KV_MM_VaskClipboard->isChecked());
}

TEST_F(ProgramStart, CorruptSettingsFileStillStartsWithDefaults)
{
    QByteArray garbage(64 * 1024, '\0');
    for (int index = 0; index < garbage.size(); ++index)
        garbage[index] = static_cast<char>((index * 7919) % 251);
    writeBytes(settingsPath(), garbage + "\n[Layout\nWidth==\n=\n[]\n");
    start();
    EXPECT_EQ(master().size(), QSize(720, 400));
}

TEST_F(ProgramStart, FloatingPaletteComesBackOnTheScreen)
{
    writeBytes(settingsPath(), "[KV_Top_Tool_Palette]\nFloatLeft=-300\nFloatTop=99999\n"
                               "FloatWidth=200\nFloatHeight=60\nDock=0\n");
    start();
    ToolPalette* palette = master().KV_Top_Tool_Palette;
    EXPECT_EQ(palette->dockPosition(), PaletteDock::Floating);
    EXPECT_EQ(palette->floatGeometry().topLeft(), QPoint(0, screenSize().height() - 60));

    const QSize screen(1280, 800);
    EXPECT_EQ(clampedFloatGeometry(QRect(-5, -9, 100, 40), screen), QRect(0, 0, 100, 40));
    EXPECT_EQ(clampedFloatGeometry(QRect(1250, 790, 100, 40), screen), QRect(1180, 760, 100, 40));
    EXPECT_EQ(clampedFloatGeometry(QRect(300, 200, 100, 40), screen), QRect(300, 200, 100, 40));
    // A palette larger than the screen sits at the origin.
    EXPECT_EQ(clampedFloatGeometry(QRect(10, 10, 2000, 900), screen), QRect(0, 0, 2000, 900));
}

} // namespace
} // namespace vask

namespace vask {
namespace {

TEST_F(ImageStore, PaletteAndMenuCommandsReachTheirWindows)
{
    master().KV_Masterform_New_Icon->click();
    ASSERT_EQ(area()->subWindowList().size(), 1);
    EXPECT_EQ(area()->subWindowList().front()->widget()->windowTitle(), QStringLiteral("New Image"));
    master().KV_MM_Preferences->trigger();
    EXPECT_TRUE(preferences().isVisible());
    auto* pages = windows().KV_UTilities->findChild<QTabWidget*>(QStringLiteral("KV_UT_Options"));
    pages->setCurrentIndex(3);
    master().KV_Masterform_Tools_Icon->click();
    EXPECT_FALSE(windows().KV_UTilities->isVisible());
    master().KV_MM_About->trigger();
    EXPECT_TRUE(windows().KV_UTilities->isVisible());
    EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("KV_UT_About"));
}

TEST_F(ImageStore, ExitStopsWhenAnImageWindowIsKept)
{
    master().KV_MM_NewImage->trigger();
    DialogService::instance().setResponder(answerAll(false));
    master().KV_MM_Exit->trigger();
    EXPECT_EQ(messages().back(), QStringLiteral("Please confirm you wish to close Image:- New Image"));
    EXPECT_EQ(area()->subWindowList().size(), 1);
    EXPECT_TRUE(master().isVisible());
    EXPECT_FALSE(IniFile(settingsFilePath()).hasKey("Layout", "Top"));
}

} // namespace
} // namespace vask
