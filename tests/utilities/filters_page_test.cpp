#include "utilities/filters_page.h"

#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "settings/program_paths.h"
#include "sheet_checks.h"
#include "utilities/effect_browser_page.h"
#include "utilities/matrix3_page.h"
#include "utilities/matrix5_page.h"

#include <QComboBox>
#include <QTabWidget>
#include <QTemporaryDir>

using namespace vask::sheet_checks;
using vask::FiltersPage;

TEST(FiltersPage, HoldsThePreviewItsOptionsAndTheThreeInnerTabsWithTheBrowserFirst)
{
    FiltersPage page;
    EXPECT_EQ(page.objectName(), "KV_UT_Options_Filters");
    expectSpeedButtons(page, {{"KV_UT_Filter_EnableDrag", "DD", "Allow Drag of Utility Image", 1}});
    expectCheckBoxes(page, {{"KV_UT_Filters_FullPreview", "Fast Preview",
                             "'Uncheck' to use Full Image Resolution - [Slow]", true}});
    EXPECT_NE(page.findChild<vask::TPicbuf*>("KV_UT_Filters_Preview"), nullptr);

    const auto* tabs = page.findChild<QTabWidget*>("KV_UT_Filters_FilterPage");
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), "3*3 Matrix");
    EXPECT_EQ(tabs->tabText(1), "5*5 Matrix");
    EXPECT_EQ(tabs->tabText(2), "Effect Browser");
    EXPECT_EQ(tabs->widget(0)->objectName(), "KV_UT_Filters_Matrix3");
    EXPECT_EQ(tabs->widget(1)->objectName(), "KV_UT_Filters_Matrix5");
    EXPECT_EQ(tabs->widget(2)->objectName(), "KV_UT_Filters_Browser");
    EXPECT_EQ(tabs->currentIndex(), 2);
    EXPECT_NE(page.findChild<vask::SpinEdit*>("KV_UT_Filters_m544"), nullptr);
}

TEST(FiltersPage, WithoutSettingsFileTheDefaultsShow)
{
    FiltersPage page;
    page.KV_UT_Filters_FullPreview->setChecked(false);
    page.readSettings(freshSettings());
    EXPECT_TRUE(page.KV_UT_Filters_FullPreview->isChecked());
    EXPECT_EQ(page.KV_UT_Filters_Browser->KV_UT_Filters_Filters->currentIndex(), 1);
    EXPECT_EQ(page.KV_UT_Filters_Browser->fileMask(), "*.MA5");
    EXPECT_EQ(page.KV_UT_Filters_Browser->currentDirectory(), QDir::cleanPath(vask::GetFiltersPath()));
}

TEST(FiltersPage, SettingsComeBackOnAFreshPage)
{
    QTemporaryDir folder;
    vask::IniFile ini = freshSettings();
    {
        FiltersPage page;
        page.KV_UT_Filters_FullPreview->setChecked(false);
        page.KV_UT_Filters_Browser->KV_UT_Filters_Filters->setCurrentIndex(0);
        page.KV_UT_Filters_Browser->setDirectory(folder.path());
        page.writeSettings(ini);
    }
    const QString text = settingsText();
    EXPECT_TRUE(text.contains("[Filters]"));
    EXPECT_TRUE(text.contains("FastFilter=0"));
    EXPECT_TRUE(text.contains("FIndex=0"));
    EXPECT_TRUE(text.contains("FPath=" + folder.path()));

    FiltersPage fresh;
    fresh.readSettings(ini);
    EXPECT_FALSE(fresh.KV_UT_Filters_FullPreview->isChecked());
    EXPECT_EQ(fresh.KV_UT_Filters_Browser->KV_UT_Filters_Filters->currentIndex(), 0);
    EXPECT_EQ(fresh.KV_UT_Filters_Browser->fileMask(), "*.MA3");
    EXPECT_EQ(fresh.KV_UT_Filters_Browser->currentDirectory(), folder.path());
}

TEST(FiltersPage, FitsTheSheetAndEachInnerTabFitsItsArea)
{
    FiltersPage page;
    ASSERT_TRUE(showAsSheet(page, kSheet));
    expectTidyLayout(page, kSheet);
    QTabWidget* tabs = page.KV_UT_Filters_FilterPage;
    for (int index = 0; index < tabs->count(); ++index) {
        tabs->setCurrentIndex(index);
        QWidget* inner = tabs->widget(index);
        SCOPED_TRACE(inner->objectName().toStdString());
        expectTidyLayout(*inner);
    }
}
