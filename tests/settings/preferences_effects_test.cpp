// What closing the preferences changes on the main window at once: add-on menu captions and
// the undo button. Built once the main window exists in the tree.
#if __has_include("shell/master_form.cpp")

#include "settings/preferences_dialog.h"
#include "settings/program_paths.h"
#include "shell/master_form.h"
#include "shell/program_windows.h"
#include "tests/settings/preferences_test_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace vask {
namespace {

class PreferencesEffects : public test::PreferencesTest {
protected:
    void SetUp() override
    {
        test::PreferencesTest::SetUp();
        m_saved = programWindows();
        m_master = std::make_unique<TKV_Masterform>();
        programWindows().KV_Masterform = m_master.get();
    }
    void TearDown() override
    {
        programWindows() = m_saved;
        m_master.reset();
        test::PreferencesTest::TearDown();
    }

    TKV_Masterform& master() { return *m_master; }

private:
    ProgramWindows m_saved;
    std::unique_ptr<TKV_Masterform> m_master;
};

TEST_F(PreferencesEffects, CreationNamesTheAddOnItemsAfterTheirPrograms)
{
    TKV_Preferences32v1 dialog(&master());
    EXPECT_EQ(master().KV_MM_Addons_Addon1->text(), QStringLiteral("Morvalt.exe"));
    EXPECT_EQ(master().KV_MM_Addons_Addon2->text(), QStringLiteral("- Available -"));
    EXPECT_EQ(master().KV_MM_Addons_Addon4->text(), QStringLiteral("- Available -"));
}

TEST_F(PreferencesEffects, ClosingAppliesAddOnCaptionsAtOnce)
{
    TKV_Preferences32v1 dialog(&master());
    dialog.KV_Pref_AddOn1->setText(QStringLiteral("/usr/bin/gimp"));
    dialog.KV_Pref_AddOn2->setText(QStringLiteral("C:\\Tools\\Paint.exe"));
    dialog.KV_Pref_AddOn3->setText(QStringLiteral("/opt/Draw & Paint"));
    dialog.KV_Pref_AddOn4->clear();
    EXPECT_EQ(master().KV_MM_Addons_Addon1->text(), QStringLiteral("Morvalt.exe"));
    dialog.close();
    EXPECT_EQ(master().KV_MM_Addons_Addon1->text(), QStringLiteral("gimp"));
    EXPECT_EQ(master().KV_MM_Addons_Addon2->text(), QStringLiteral("Paint.exe"));
    // A "&" shows as itself rather than underlining the next letter.
    EXPECT_EQ(master().KV_MM_Addons_Addon3->text(), QStringLiteral("Draw && Paint"));
    EXPECT_EQ(master().KV_MM_Addons_Addon4->text(), QString());
}

TEST_F(PreferencesEffects, UntickingAutoUndoDisablesTheUndoButtonAtOnce)
{
    TKV_Preferences32v1 dialog(&master());
    ASSERT_NE(master().KV_Masterform_Undo_Icon, nullptr);
    EXPECT_TRUE(master().KV_Masterform_Undo_Icon->isEnabled());
    dialog.KV_Pref_AutoUndo->setChecked(false);
    dialog.close();
    EXPECT_FALSE(master().KV_Masterform_Undo_Icon->isEnabled());
    EXPECT_FALSE(programState().AutoUndo);
    dialog.KV_Pref_AutoUndo->setChecked(true);
    dialog.close();
    EXPECT_TRUE(master().KV_Masterform_Undo_Icon->isEnabled());
}

TEST_F(PreferencesEffects, StaysAboveTheMainWindow)
{
    TKV_Preferences32v1 dialog;
    EXPECT_EQ(dialog.parentWidget(), &master());
    EXPECT_EQ(dialog.windowType(), Qt::Tool);
}

} // namespace
} // namespace vask

#endif
