// What the preferences window keeps: the settings file after a close, and what a new window reads.
#include "controls/form_widgets.h"
#include "settings/preferences_dialog.h"
#include "settings/program_paths.h"
#include "tests/settings/preferences_test_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace vask {
namespace {

using PreferencesSettings = test::PreferencesTest;

TEST_F(PreferencesSettings, ClosingWritesEveryKeyWithItsText)
{
    TKV_Preferences32v1 dialog;
    dialog.show();
    dialog.close();
    const QMap<QString, QString> lines = fileLines();
    const QString program = GetProgramPath();
    const std::pair<const char*, QString> expected[] = {
        {"DisplayOptions/Assignmode", "3"},
        {"DisplayOptions/Resizemode", "3"},
        {"DisplayOptions/DWidth", "250"},
        {"DisplayOptions/DHeight", "250"},
        {"NewImage/NBit", "2"},
        {"NewImage/NOpacityVal", "50"},
        {"NewImage/NOpacity", "0"},
        {"NewImage/NWidth", "100"},
        {"NewImage/NHeight", "100"},
        {"NewImage/NColour", "16776960"},
        {"Rotation/CAngle", "90"},
        {"Automatics/AutoUndo", "1"},
        {"PreviewImage/Aspect", "1"},
        {"PreviewImage/Fast", "1"},
        {"PreviewImage/DPI", "150"},
        {"DDE/Delete", "1"},
        {"FileOptions/Palette", program + "Common.pal"},
        {"AddOns/AddOn1", program + "Morvalt.exe"},
        {"AddOns/AddOn2", "- Available -"},
        {"AddOns/AddOn3", "- Available -"},
        {"AddOns/AddOn4", "- Available -"},
        {"Help/FlyOver", "1"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(lines.value(QString::fromLatin1(key), QStringLiteral("<missing>")), value) << key;
    EXPECT_EQ(lines.size(), static_cast<qsizetype>(std::size(expected)));
    EXPECT_FALSE(lines.contains(QStringLiteral("DisplayOptions/ResizeMode")));
}

TEST_F(PreferencesSettings, ClosingHidesButKeepsTheWindow)
{
    TKV_Preferences32v1 dialog;
    dialog.show();
    EXPECT_TRUE(dialog.close());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(dialog.testAttribute(Qt::WA_DeleteOnClose));
}

TEST_F(PreferencesSettings, ChangedValuesSurviveANewWindow)
{
    {
        TKV_Preferences32v1 dialog;
        dialog.KV_Pref_AssignMode->setCurrentIndex(1);
        dialog.KV_Pref_ResizeMode->setCurrentIndex(0);
        dialog.KV_Pref_WidthDefault->setValue(640);
        dialog.KV_Pref_BitDepths->setItemIndex(3);
        dialog.KV_Pref_Asmask->setChecked(true);
        dialog.KV_Pref_BaseColour->setColour(QColor(255, 0, 0));
        dialog.KV_Pref_Custom_Angle->setValue(-45);
        dialog.KV_Pref_AutoUndo->setChecked(false);
        dialog.KV_Pref_FlyOver->setChecked(false);
        dialog.KV_Pref_AddOn2->setText(QStringLiteral("/opt/tools/Paint & Draw.exe"));
        dialog.KV_Pref_PaletteFile->setText(QStringLiteral("/home/me/my.pal"));
        dialog.close();
        const QMap<QString, QString> lines = fileLines();
        EXPECT_EQ(lines.value(QStringLiteral("NewImage/NColour")), QStringLiteral("255"));
        EXPECT_EQ(lines.value(QStringLiteral("Automatics/AutoUndo")), QStringLiteral("0"));
    }
    TKV_Preferences32v1 reopened;
    EXPECT_EQ(reopened.KV_Pref_AssignMode->currentText(), QStringLiteral("[1] Union Composite"));
    EXPECT_EQ(reopened.KV_Pref_ResizeMode->currentIndex(), 0);
    EXPECT_EQ(reopened.KV_Pref_WidthDefault->value(), 640);
    EXPECT_EQ(reopened.KV_Pref_BitDepths->itemIndex(), 3);
    EXPECT_TRUE(reopened.KV_Pref_Asmask->isChecked());
    EXPECT_EQ(reopened.KV_Pref_BaseColour->colour(), QColor(255, 0, 0));
    EXPECT_EQ(reopened.KV_Pref_Custom_Angle->value(), -45);
    EXPECT_FALSE(reopened.KV_Pref_AutoUndo->isChecked());
    EXPECT_FALSE(reopened.KV_Pref_FlyOver->isChecked());
    EXPECT_EQ(reopened.KV_Pref_AddOn2->text(), QStringLiteral("/opt/tools/Paint & Draw.exe"));
    EXPECT_EQ(reopened.KV_Pref_PaletteFile->text(), QStringLiteral("/home/me/my.pal"));
    reopened.KV_Pref_FlyOver->setChecked(true);
    reopened.close();
}

TEST_F(PreferencesSettings, EveryCloseOfTheShownWindowSavesAgain)
{
    TKV_Preferences32v1 dialog;
    for (const int width : {300, 400}) {
        dialog.show();
        dialog.KV_Pref_NewWidth->setValue(width);
        dialog.close();
        EXPECT_EQ(fileLines().value(QStringLiteral("NewImage/NWidth")), QString::number(width));
    }
}

TEST_F(PreferencesSettings, ValuesOutOfRangeAreClampedByTheirBoxes)
{
    writeSetting("DisplayOptions", "DWidth", "5000");
    writeSetting("DisplayOptions", "DHeight", "1");
    writeSetting("NewImage", "NWidth", "0");
    writeSetting("NewImage", "NHeight", "0x10000");
    writeSetting("NewImage", "NOpacityVal", "200");
    writeSetting("Rotation", "CAngle", "-1000");
    writeSetting("PreviewImage", "DPI", "5");
    TKV_Preferences32v1 dialog;
    EXPECT_EQ(dialog.KV_Pref_WidthDefault->value(), 1600);
    EXPECT_EQ(dialog.KV_Pref_HeightDefault->value(), 10);
    EXPECT_EQ(dialog.KV_Pref_NewWidth->value(), 5);
    EXPECT_EQ(dialog.KV_Pref_NewHeight->value(), 3000);
    EXPECT_EQ(dialog.KV_Pref_maskvalue->value(), 100);
    EXPECT_EQ(dialog.KV_Pref_Custom_Angle->value(), -365);
    EXPECT_EQ(dialog.KV_Pref_PreviewSize->value(), 10);
    dialog.close();
    const QMap<QString, QString> lines = fileLines();
    EXPECT_EQ(lines.value(QStringLiteral("DisplayOptions/DWidth")), QStringLiteral("1600"));
    EXPECT_EQ(lines.value(QStringLiteral("Rotation/CAngle")), QStringLiteral("-365"));
}

TEST_F(PreferencesSettings, UnreadableValuesGiveTheDefaultsAndKeyCaseDoesNotMatter)
{
    writeSetting("DisplayOptions", "DWidth", "wide");
    writeSetting("displayoptions", "RESIZEMODE", "1");
    writeSetting("Automatics", "AutoUndo", "abc");
    writeSetting("Help", "FlyOver", "2");
    writeSetting("NewImage", "NBit", "0x0");
    TKV_Preferences32v1 dialog;
    EXPECT_EQ(dialog.KV_Pref_WidthDefault->value(), 250);
    EXPECT_EQ(dialog.KV_Pref_ResizeMode->currentIndex(), 1);
    EXPECT_TRUE(dialog.KV_Pref_AutoUndo->isChecked());
    EXPECT_TRUE(dialog.KV_Pref_FlyOver->isChecked());
    EXPECT_EQ(dialog.KV_Pref_BitDepths->itemIndex(), 0);
    dialog.close();
    // The key keeps the spelling it had in the file.
    EXPECT_EQ(fileLines().value(QStringLiteral("DisplayOptions/RESIZEMODE")), QStringLiteral("1"));
    EXPECT_FALSE(fileLines().contains(QStringLiteral("DisplayOptions/Resizemode")));
}

TEST_F(PreferencesSettings, ARefusedWriteIsReportedOnceAndTheRestIsSkipped)
{
    const QString path = QString::fromStdString(settingsFilePath());
    ASSERT_TRUE(QDir().mkpath(path)); // a folder where the file should be
    TKV_Preferences32v1 dialog;
    dialog.KV_Pref_WidthDefault->setValue(300);
    DialogService::instance().setResponder(answerAll(true));
    dialog.close();
    EXPECT_EQ(DialogService::instance().messageTexts(),
              QStringList{QStringLiteral("Unable to write to ") + path});
    EXPECT_TRUE(QDir(path).isEmpty());
    // The read that follows finds no file, so the window shows the defaults again.
    EXPECT_EQ(dialog.KV_Pref_WidthDefault->value(), 250);
    QDir().rmdir(path);
}

TEST_F(PreferencesSettings, AutoUndoSwitchFollowsTheClose)
{
    TKV_Preferences32v1 dialog;
    EXPECT_TRUE(programState().AutoUndo);
    dialog.KV_Pref_AutoUndo->setChecked(false);
    EXPECT_TRUE(programState().AutoUndo);
    dialog.close();
    EXPECT_FALSE(programState().AutoUndo);
    dialog.KV_Pref_AutoUndo->setChecked(true);
    dialog.close();
    EXPECT_TRUE(programState().AutoUndo);
}

TEST_F(PreferencesSettings, AutoUndoSwitchIsReadFromTheFileAtStart)
{
    writeSetting("Automatics", "AutoUndo", "0");
    TKV_Preferences32v1 dialog;
    EXPECT_FALSE(programState().AutoUndo);
    EXPECT_FALSE(dialog.KV_Pref_AutoUndo->isChecked());
}

} // namespace
} // namespace vask
