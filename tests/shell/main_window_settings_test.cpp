#include "program_fixture.h"

#include "settings/ini_file.h"
#include "shell/master_form.h"
#include "shell/tool_palette.h"
#include "store/image_load_save.h"
#include "utilities/utilities_window.h"

#include <QAction>
#include <QApplication>

namespace vask {
namespace {

using MainWindowSettings = ProgramTest;

TEST_F(MainWindowSettings, ExitWritesLayoutLastFileClipboardAndPalette)
{
    start();
    TKV_Masterform* master = windows().KV_Masterform;
    master->move(40, 30);
    master->resize(800, 500);
    master->KV_MM_VaskClipboard->trigger(); // tag 25 toggles the check mark off
    SetLastFile(QStringLiteral("/tmp/pictures/holiday.png"));
    master->KV_MM_Exit->trigger();

    const IniFile ini(settingsFilePath());
    EXPECT_EQ(ini.ReadInteger("Layout", "Top", -1), 30);
    EXPECT_EQ(ini.ReadInteger("Layout", "Left", -1), 40);
    EXPECT_EQ(ini.ReadInteger("Layout", "Width", -1), 800);
    EXPECT_EQ(ini.ReadInteger("Layout", "Height", -1), 500);
    EXPECT_EQ(ini.ReadString("FileOptions", "LastFileLoaded", ""), "/tmp/pictures/holiday.png");
    const QString text = settingsText();
    EXPECT_TRUE(text.contains(QStringLiteral("VaskClip=0"))) << text.toStdString();
    for (const char* key : {"FloatLeft", "FloatTop", "FloatWidth", "FloatHeight", "Dock"})
        EXPECT_TRUE(ini.hasKey("KV_Top_Tool_Palette", key)) << key;
    EXPECT_EQ(ini.ReadInteger("KV_Top_Tool_Palette", "Dock", -1), 1);
    // Exit closes the utilities window first, which writes its own keys.
    EXPECT_TRUE(ini.hasKey("Layout", "UtilityTop"));
    EXPECT_TRUE(ini.hasKey("DragDrop", "DragAsImage"));
}

TEST_F(MainWindowSettings, QuickExitWritesNeitherLayoutNorLastFile)
{
    start();
    SetLastFile(QStringLiteral("/tmp/never written.bmp"));
    windows().KV_Masterform->KV_MM_QuickExit_Call->trigger();
    QApplication::processEvents();
    const IniFile ini(settingsFilePath());
    EXPECT_FALSE(ini.hasKey("Layout", "Top"));
    EXPECT_FALSE(ini.hasKey("FileOptions", "LastFileLoaded"));
    EXPECT_FALSE(ini.hasKey("Clipboard", "VaskClip"));
    // Only the utilities window, closed on the way out, keeps its place.
    EXPECT_TRUE(ini.hasKey("Layout", "UtilityTop"));
}

TEST_F(MainWindowSettings, SecondStartReadsTheWrittenKeysBack)
{
    start();
    TKV_Masterform* master = windows().KV_Masterform;
    master->move(12, 34);
    master->resize(640, 480);
    SetLastFile(QStringLiteral("/tmp/last one.bmp"));
    master->KV_Top_Tool_Palette->dockAt(PaletteDock::Left);
    master->close();
    stop();

    start();
    master = windows().KV_Masterform;
    EXPECT_EQ(master->pos(), QPoint(12, 34));
    EXPECT_EQ(master->size(), QSize(640, 480));
    EXPECT_EQ(master->KV_MM_LastFile->text(), QStringLiteral("/tmp/last one.bmp"));
    EXPECT_EQ(master->KV_Top_Tool_Palette->dockPosition(), PaletteDock::Left);
}

TEST_F(MainWindowSettings, ValuesAreReadByTheProfileRules)
{
    // Keys in any case, hexadecimal, text that is no number, a boolean that is not 0 or 1.
    writeSettingsText(QStringLiteral("[layout]\r\nTOP=0x10\r\nleft=abc\r\nWidth = 810\r\nHEIGHT=\r\n"
                                     "[Clipboard]\r\nvaskclip=2\r\n"));
    start();
    TKV_Masterform* master = windows().KV_Masterform;
    EXPECT_EQ(master->pos().y(), 16);
    EXPECT_EQ(master->pos().x(), screenSize().width() / 2 - 360);
    EXPECT_EQ(master->size(), QSize(810, 400));
    EXPECT_TRUE(master->KV_MM_VaskClipboard->isChecked());
}

TEST_F(MainWindowSettings, ZeroClipboardKeyUnchecksTheSwitch)
{
    writeSettingsText(QStringLiteral("[Clipboard]\nVaskClip=0\n"));
    start();
    EXPECT_FALSE(windows().KV_Masterform->KV_MM_VaskClipboard->isChecked());
}

TEST_F(MainWindowSettings, CorruptFileStillStartsWithDefaults)
{
    QFile file(settingsPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray garbage(64 * 1024, '\0');
    for (int index = 0; index < garbage.size(); ++index)
        garbage[index] = static_cast<char>((index * 7919) % 251);
    garbage.append("\n[Layout\nWidth==\n=\n[]\n");
    file.write(garbage);
    file.close();
    start();
    EXPECT_EQ(windows().KV_Masterform->size(), QSize(720, 400));
}

TEST_F(MainWindowSettings, FloatingPaletteComesBackOnTheScreen)
{
    writeSettingsText(QStringLiteral("[KV_Top_Tool_Palette]\nFloatLeft=-300\nFloatTop=99999\n"
                                     "FloatWidth=200\nFloatHeight=60\nDock=0\n"));
    start();
    ToolPalette* palette = windows().KV_Masterform->KV_Top_Tool_Palette;
    EXPECT_EQ(palette->dockPosition(), PaletteDock::Floating);
    EXPECT_EQ(palette->floatGeometry().left(), 0);
    EXPECT_EQ(palette->floatGeometry().top(), screenSize().height() - 60);
}

TEST(ToolPaletteGeometry, FloatingPlaceIsClampedToTheScreen)
{
    const QSize screen(1280, 800);
    EXPECT_EQ(clampedFloatGeometry(QRect(-5, -9, 100, 40), screen), QRect(0, 0, 100, 40));
    EXPECT_EQ(clampedFloatGeometry(QRect(1250, 790, 100, 40), screen), QRect(1180, 760, 100, 40));
    EXPECT_EQ(clampedFloatGeometry(QRect(300, 200, 100, 40), screen), QRect(300, 200, 100, 40));
    // A palette larger than the screen sits at the origin.
    EXPECT_EQ(clampedFloatGeometry(QRect(10, 10, 2000, 900), screen), QRect(0, 0, 2000, 900));
}

} // namespace
} // namespace vask
