#include "utilities/zoom_page.h"

#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QGroupBox>

using namespace vask::sheet_checks;
using vask::ZoomPage;

TEST(ZoomPage, HoldsEveryControlWithItsCaptionHintAndStartState)
{
    ZoomPage page;
    EXPECT_EQ(page.objectName(), "KV_UT_Options_Zoom");
    const auto* group = page.findChild<QGroupBox*>("KV_UT_Zoom_OPTGroup");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), " Zoom Options ");
    for (const char* name : {"KV_UT_Zoom_ZoomImage", "KV_UT_Zoom_ScratchA", "KV_UT_Zoom_ScratchB"})
        EXPECT_NE(page.findChild<vask::TPicbuf*>(name), nullptr) << name;
    expectSpeedButtons(page, {
                                 {"KV_UT_Zoom_ActivateZoom", "Zoom", "Activate Dynamic Zoom", 15},
                                 {"KV_UT_Zoom_EnableDrag", "DD", "Allow Drag of Utility Image", 2},
                             });
    expectSpinEdits(page, {
                              {"KV_UT_Zoom_ZoomWidth", "Width of Zoom area [ Selection ]", 5, 1000, 75, 5},
                              {"KV_UT_Zoom_ZoomHeight", "Width of Zoom area [ Selection ]", 5, 1000, 75, 5},
                          });
    const QStringList labels = labelTexts(page);
    for (const char* text : {" Comparison ", " Width:-", " Height:- "})
        EXPECT_TRUE(labels.contains(text)) << text;
}

TEST(ZoomPage, WidthAndHeightStepByFiveWithinTheirRange)
{
    ZoomPage page;
    for (vask::SpinEdit* edit : {page.KV_UT_Zoom_ZoomWidth, page.KV_UT_Zoom_ZoomHeight}) {
        SCOPED_TRACE(edit->objectName().toStdString());
        QTest::keyClick(edit, Qt::Key_Up);
        EXPECT_EQ(edit->value(), 80);
        edit->setValue(7);
        QTest::keyClick(edit, Qt::Key_Down);
        EXPECT_EQ(edit->value(), 5);
        edit->setValue(998);
        QTest::keyClick(edit, Qt::Key_Up);
        EXPECT_EQ(edit->value(), 1000);
    }
}

TEST(ZoomPage, TypedWidthAndHeightAreClampedToFiveToThousand)
{
    ZoomPage page;
    for (vask::SpinEdit* edit : {page.KV_UT_Zoom_ZoomWidth, page.KV_UT_Zoom_ZoomHeight}) {
        SCOPED_TRACE(edit->objectName().toStdString());
        EXPECT_EQ(typeInto(*edit, "1"), 5);
        EXPECT_EQ(typeInto(*edit, "4000"), 1000);
        EXPECT_EQ(typeInto(*edit, "333"), 333);
    }
}

TEST(ZoomPage, WithoutSettingsFileTheDefaultsShow)
{
    ZoomPage page;
    page.KV_UT_Zoom_ZoomWidth->setValue(300);
    page.KV_UT_Zoom_ZoomHeight->setValue(10);
    page.readSettings(freshSettings());
    EXPECT_EQ(page.KV_UT_Zoom_ZoomWidth->value(), 75);
    EXPECT_EQ(page.KV_UT_Zoom_ZoomHeight->value(), 75);
}

TEST(ZoomPage, SettingsComeBackOnAFreshPage)
{
    vask::IniFile ini = freshSettings();
    {
        ZoomPage page;
        page.KV_UT_Zoom_ZoomWidth->setValue(120);
        page.KV_UT_Zoom_ZoomHeight->setValue(45);
        page.writeSettings(ini);
    }
    const QString text = settingsText();
    EXPECT_TRUE(text.contains("[Zoom]"));
    EXPECT_TRUE(text.contains("ZWidth=120"));
    EXPECT_TRUE(text.contains("ZHeight=45"));
    ZoomPage fresh;
    fresh.readSettings(ini);
    EXPECT_EQ(fresh.KV_UT_Zoom_ZoomWidth->value(), 120);
    EXPECT_EQ(fresh.KV_UT_Zoom_ZoomHeight->value(), 45);
}

TEST(ZoomPage, FitsTheSheetWithNothingOverlapping)
{
    ZoomPage page;
    page.setFont(windowFont());
    expectTidyLayout(page, kSheet);
}
