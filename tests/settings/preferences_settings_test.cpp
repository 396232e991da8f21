// What the preferences window keeps in the file, reads back, and changes on the main window.
#include "settings/program_paths.h"
#include "shell/master_form.h"
#include "shell/program_windows.h"
#include "tests/settings/settings_test_support.h"

#include <QAction>
#include <QDir>
#include <QToolButton>

#include <gtest/gtest.h>

#include <vector>

namespace vask {
namespace {

using PreferencesSettings = test::PreferencesTest;

struct Key {
    const char* section;
    const char* key; // as written to a fresh file
    QString fresh;   // the text a fresh start writes
    QString changed; // another value the window must read and write back
};

std::vector<Key> everyKey()
{
    const QString program = GetProgramPath();
    // clang-format off
    return {
        {"DisplayOptions", "Assignmode", "3", "1"}, {"DisplayOptions", "Resizemode", "3", "0"},
        {"DisplayOptions", "DWidth", "250", "640"}, {"DisplayOptions", "DHeight", "250", "480"},
        {"NewImage", "NBit", "2", "3"}, {"NewImage", "NOpacityVal", "50", "30"}, {"NewImage", "NOpacity", "0", "1"},
        {"NewImage", "NWidth", "100", "320"}, {"NewImage", "NHeight", "100", "200"}, {"Rotation", "CAngle", "90", "-45"},
        {"NewImage", "NColour", "16776960", "1193046"}, {"Automatics", "AutoUndo", "1", "0"},
        {"PreviewImage", "Aspect", "1", "0"}, {"PreviewImage", "Fast", "1", "0"}, {"PreviewImage", "DPI", "150", "300"},
        {"FileOptions", "Palette", program + "Common.pal", "/home/me/my.pal"},
        {"AddOns", "AddOn1", program + "Morvalt.exe", "/usr/bin/gimp"}, {"DDE", "Delete", "1", "0"},
        {"AddOns", "AddOn2", "- Available -", "/opt/tools/Paint & Draw.exe"}, {"Help", "FlyOver", "1", "0"},
        {"AddOns", "AddOn3", "- Available -", "C:\\Tools\\x.exe"}, {"AddOns", "AddOn4", "- Available -", ""},
    };
    // clang-format on
}

void expectFileHolds(const QMap<QString, QString>& lines, const std::vector<Key>& keys, QString Key::*column)
{
    for (const Key& key : keys) {
        const QString name = QString::fromLatin1(key.section) + '/' + QString::fromLatin1(key.key);
        EXPECT_EQ(lines.value(name, QStringLiteral("<missing>")), key.*column) << name.toStdString();
    }
    EXPECT_EQ(lines.size(), static_cast<qsizetype>(keys.size()));
}

TEST_F(PreferencesSettings, AFreshStartShowsTheDefaultsAndClosingWritesEveryKeyWithItsText)
{
    TKV_Preferences32v1 dialog;
    EXPECT_EQ(dialog.KV_Pref_AssignMode->currentText(), QStringLiteral("[3] Resize Composite"));
    EXPECT_EQ(dialog.KV_Pref_ResizeMode->currentText(), QStringLiteral("[3] Resample with Floating Aspect"));
    EXPECT_EQ(dialog.KV_Pref_BitDepths->items().value(dialog.KV_Pref_BitDepths->itemIndex()), "8 Bit Image");
    EXPECT_EQ(dialog.KV_Pref_BaseColour->colour(), QColor(0, 255, 255));
    // The numbers (250 x 250, 100 x 100, 90, Auto Undo on) are the file's below, taken from the boxes.
    dialog.show();
    EXPECT_TRUE(dialog.close());
    EXPECT_FALSE(dialog.isVisible());
    expectFileHolds(fileLines(), everyKey(), &Key::fresh);
}

TEST_F(PreferencesSettings, EveryKeyIsReadByANewWindowAndWrittenBackAsItWas)
{
    const std::vector<Key> keys = everyKey();
    for (const Key& key : keys)
        IniFile(settingsFilePath()).WriteString(key.section, key.key, key.changed.toStdString());
    TKV_Preferences32v1 dialog;
    EXPECT_EQ(dialog.KV_Pref_AssignMode->currentText(), QStringLiteral("[1] Union Composite"));
    EXPECT_EQ(dialog.KV_Pref_BaseColour->colour(), QColor(0x56, 0x34, 0x12)); // 0x123456, red low
    EXPECT_FALSE(programState().AutoUndo);
    EXPECT_FALSE(flyOverHintsEnabled());
    dialog.close();
    expectFileHolds(fileLines(), keys, &Key::changed);
}

TEST_F(PreferencesSettings, ARefusedWriteIsReportedOnceAndTheRestIsSkipped)
{
    const QString path = QString::fromStdString(settingsFilePath());
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should be
    TKV_Preferences32v1 dialog;
    dialog.KV_Pref_WidthDefault->setValue(300);
    DialogService::instance().setResponder(answerAll(true));
    dialog.close();
    EXPECT_EQ(DialogService::instance().messageTexts(), QStringList{"Unable to write to " + path});
    EXPECT_TRUE(QDir(path).isEmpty());
    // The read that follows finds no file, so the window shows the defaults again.
    EXPECT_EQ(dialog.KV_Pref_WidthDefault->value(), 250);
    QDir().rmdir(path);
}

TEST_F(PreferencesSettings, ClosingRenamesTheAddOnItemsAndSwitchesTheUndoButtonAtOnce)
{
    TKV_Masterform master;
    const ProgramWindows saved = programWindows();
    programWindows().KV_Masterform = &master;
    {
        TKV_Preferences32v1 dialog;
        EXPECT_EQ(dialog.parentWidget(), &master); // a tool window above the main window
        EXPECT_EQ(master.KV_MM_Addons_Addon1->text(), QStringLiteral("Morvalt.exe"));
        EXPECT_EQ(master.KV_MM_Addons_Addon4->text(), QStringLiteral("- Available -"));
        EXPECT_TRUE(master.KV_Masterform_Undo_Icon->isEnabled());
        dialog.KV_Pref_AddOn1->setText(QStringLiteral("/usr/bin/gimp"));
        dialog.KV_Pref_AddOn2->setText(QStringLiteral("C:\\Tools\\Paint.exe"));
        dialog.KV_Pref_AddOn3->setText(QStringLiteral("D:Draw & Paint.exe"));
        dialog.KV_Pref_AddOn4->clear();
        dialog.KV_Pref_AutoUndo->setChecked(false);
        EXPECT_TRUE(programState().AutoUndo);
        dialog.close();
        EXPECT_EQ(master.KV_MM_Addons_Addon1->text(), QStringLiteral("gimp"));
        EXPECT_EQ(master.KV_MM_Addons_Addon2->text(), QStringLiteral("Paint.exe"));
        // A "&" shows as itself rather than underlining the next letter.
        EXPECT_EQ(master.KV_MM_Addons_Addon3->text(), QStringLiteral("Draw && Paint.exe"));
        EXPECT_EQ(master.KV_MM_Addons_Addon4->text(), QString());
        EXPECT_FALSE(master.KV_Masterform_Undo_Icon->isEnabled());
        EXPECT_FALSE(programState().AutoUndo);
        dialog.show();
        dialog.KV_Pref_AutoUndo->setChecked(true);
        dialog.close();
        EXPECT_TRUE(master.KV_Masterform_Undo_Icon->isEnabled());
        EXPECT_EQ(fileLines().value(QStringLiteral("Automatics/AutoUndo")), QStringLiteral("1"));
    }
    IniFile(settingsFilePath()).WriteBool("Automatics", "AutoUndo", false);
    TKV_Preferences32v1 next;
    EXPECT_FALSE(master.KV_Masterform_Undo_Icon->isEnabled());
    programWindows() = saved;
}

} // namespace
} // namespace vask
