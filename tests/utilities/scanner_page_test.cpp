#include "utilities/scanner_page.h"

#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"
#include "settings/program_paths.h"
#include "sheet_checks.h"

#include <QGroupBox>
#include <QLineEdit>

using namespace vask::sheet_checks;
using vask::ScannerPage;

TEST(ScannerPage, HoldsEveryControlWithItsCaptionHintAndStartState)
{
    ScannerPage page;
    EXPECT_EQ(page.objectName(), "KV_UT_Options_Twain");
    expectSpeedButtons(page,
                       {
                           {"KV_UT_Twain_EnableDrag", "DD", "Allow Drag of Utility Image", 9},
                           {"KV_UT_Twain_ReScan", "Scan", "Scan a new Image - [Automatic and Default]", 17},
                           {"KV_UT_Twain_MultiScan", "ADF",
                            "Scan Multiple pages with ADF to Disk File(s) at above disk location", 18},
                           {"KV_UT_Twain_Manual", "Manual",
                            "Use settings above for Manual scan [ Not all Scanners will Support requested "
                            "Options in which case Scanner Defaults are Used]",
                            19},
                       });
    EXPECT_NE(page.findChild<vask::TLeadCtrl*>("KV_UT_TwainImage"), nullptr);
    const auto* group = page.findChild<QGroupBox*>("KV_UT_Twain_MScanGbox");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), " Manual Scan ");

    const struct {
        const char* name;
        const char* caption;
        QStringList items;
        int start;
    } groups[] = {
        {"KV_UT_Twain_PType", " Pixel Type ", {"Halftone", "GrayScale", "Colour 24Bit", "Colour 8 Bit"}, 3},
        {"KV_UT_Twain_BPPlane", " Bits per Plane ", {"1 - Bit", "4 - Bit", "8 - Bit"}, 0},
    };
    for (const auto& expected : groups) {
        SCOPED_TRACE(expected.name);
        const auto* radio = page.findChild<vask::RadioGroup*>(expected.name);
        ASSERT_NE(radio, nullptr);
        EXPECT_EQ(radio->title(), expected.caption);
        EXPECT_EQ(radio->items(), expected.items);
        EXPECT_EQ(radio->itemIndex(), expected.start);
    }

    expectSpinEdits(page, {
                              {"KV_UT_Twain_Top", "Top of Scan Area [in MM]", 0, 0, 0, 1},
                              {"KV_UT_Twain_Left", "Left of Scan Area [in MM]", 0, 0, 0, 1},
                              {"KV_UT_Twain_Width", "Width of Scan Area [in MM]", 0, 0, 100, 1},
                              {"KV_UT_Twain_Height", "Height of Scan Area [in MM]", 0, 0, 100, 1},
                              {"KV_UT_Twain_DPI", "Dots Per Inch Resolution of Scan", 10, 2000, 100, 1},
                          });

    const auto* path = page.findChild<QLineEdit*>("KV_UT_Twain_ADFPath");
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->text(), "C:\\Scan1.Scn");
    EXPECT_EQ(
        path->toolTip(),
        "For ADF Scans [ Multi Page ]  Images will be saved as Files \\ADFSCN[#].BMP at this location.");

    const QStringList labels = labelTexts(page);
    for (const char* text :
         {"Scanned Image:- ", "Top [mm] ", "Left [mm] ", " Width [mm] ", " Height [mm] ", "DPI:- "})
        EXPECT_TRUE(labels.contains(text)) << text;
}

TEST(ScannerPage, ScanAreaTakesAnyTypedInteger)
{
    ScannerPage page;
    EXPECT_EQ(typeInto(*page.KV_UT_Twain_Top, "-25"), -25);
    EXPECT_EQ(typeInto(*page.KV_UT_Twain_Left, "-2147483648"), -2147483647 - 1);
    EXPECT_EQ(typeInto(*page.KV_UT_Twain_Width, "99999"), 99999);
    EXPECT_EQ(typeInto(*page.KV_UT_Twain_Height, "2147483647"), 2147483647);
}

TEST(ScannerPage, TypedResolutionIsClampedToTenToTwoThousand)
{
    ScannerPage page;
    EXPECT_EQ(typeInto(*page.KV_UT_Twain_DPI, "3"), 10);
    EXPECT_EQ(typeInto(*page.KV_UT_Twain_DPI, "2400"), 2000);
    EXPECT_EQ(typeInto(*page.KV_UT_Twain_DPI, "600"), 600);
}

TEST(ScannerPage, WithoutSettingsFileTheFeederFolderIsTheProgramFolder)
{
    ScannerPage page;
    page.readSettings(freshSettings());
    EXPECT_EQ(page.KV_UT_Twain_ADFPath->text(), vask::GetProgramPath());
}

TEST(ScannerPage, FeederFolderComesBackOnAFreshPage)
{
    vask::IniFile ini = freshSettings();
    {
        ScannerPage page;
        page.KV_UT_Twain_ADFPath->setText("/srv/scans/");
        page.writeSettings(ini);
    }
    const QString text = settingsText();
    EXPECT_TRUE(text.contains("[Scanner]"));
    EXPECT_TRUE(text.contains("ADF=/srv/scans/"));
    ScannerPage fresh;
    fresh.readSettings(ini);
    EXPECT_EQ(fresh.KV_UT_Twain_ADFPath->text(), "/srv/scans/");
}

TEST(ScannerPage, FitsTheSheetWithNothingOverlapping)
{
    ScannerPage page;
    page.setFont(windowFont());
    expectTidyLayout(page, kSheet);
}
