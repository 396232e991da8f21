#include "utilities/depth_page.h"

#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QRadioButton>
#include <QTemporaryDir>

using namespace vask;
using namespace vask::sheet_checks;

TEST(DepthPage, ControlsShowTheirCaptionsHintsAndStartValues)
{
    DepthPage page(nullptr);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_Depth_Conversion"));

    expectSpeedButtons(
        page, {{"KV_UT_Depth_EnableDrag", "", "Allow Drag of Utility Image", 0},
               {"KV_UT_Depth_Conversion_Custom_Retry", "Preview",
                "Select depth required using radio option buttons, then use Preview to update Image", 0}});
    expectCheckBoxes(
        page, {{"KV_UT_Depth_FullPreview", "Fast Preview ", "", true},
               {"KV_UT_Depth_Conversion_Optimise", "Optimise ",
                "Check to Exclude System Colours - [ Default & Must be set for 16 Colors or Less ]", true},
               {"KV_UT_Depth_Conversion_Dither", "Dither ", "Check to allow dithering", true},
               {"KV_UT_Depth_Conversion_Bleed", "Allow Bleed ", "Check to Reduce Colour Bleeding", true}});
    expectSpinEdits(page, {{"KV_UT_Depth_Conversion_CustomDepth",
                            "Number of Colours used in custom reduction", 2, 256, 255, 1}});

    auto* group = named<QGroupBox>(page, "GroupBox1");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral(" Conversion Options "));

    auto* depth = named<RadioGroup>(page, "KV_UT_Depth_Conversion_Depth");
    ASSERT_NE(depth, nullptr);
    EXPECT_EQ(depth->title(), QStringLiteral(" Image Depth "));
    EXPECT_EQ(depth->toolTip(), QStringLiteral("Click depth required then use the Preview button"));
    EXPECT_EQ(depth->items(),
              QStringList({"Convert to 24 Bit Image", "Convert to 8 Bit Image", "Convert to 4 Bit Image",
                           "Convert to 1 Bit Image", "Convert to Custom  [ 2..255 ]"}));
    EXPECT_EQ(depth->itemIndex(), 1);

    auto* preview = named<TPicbuf>(page, "KV_UT_Depth_Preview");
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->toolTip(), QStringLiteral("Preview Image"));
    EXPECT_FALSE(page.KV_UT_Depth_EnableDrag->icon().isNull()) << "the captionless drag button shows a glyph";
}

TEST(DepthPage, ProcessKeysRoundTripThroughTheSettingsFile)
{
    QTemporaryDir folder;
    IniFile ini(folder.filePath(QStringLiteral("depth.INI")).toStdString());

    DepthPage changed(nullptr);
    changed.KV_UT_Depth_Conversion_Depth->setItemIndex(4);
    changed.KV_UT_Depth_Conversion_CustomDepth->setValue(17);
    changed.KV_UT_Depth_Conversion_Optimise->setChecked(false);
    changed.KV_UT_Depth_Conversion_Bleed->setChecked(false);
    changed.KV_UT_Depth_FullPreview->setChecked(false);
    changed.writeSettings(ini);

    const auto entries = settingsEntries(QString::fromStdString(ini.path()));
    EXPECT_EQ(entries.at("Process/DDepth"), "4");
    EXPECT_EQ(entries.at("Process/CDepth"), "17");
    EXPECT_EQ(entries.at("Process/DOptimise"), "0");
    EXPECT_EQ(entries.at("Process/DDither"), "1");
    EXPECT_EQ(entries.at("Process/DBleed"), "0");
    EXPECT_EQ(entries.at("Process/DFastPreview"), "0");

    DepthPage reread(nullptr);
    reread.readSettings(ini);
    EXPECT_EQ(reread.KV_UT_Depth_Conversion_Depth->itemIndex(), 4);
    EXPECT_EQ(reread.KV_UT_Depth_Conversion_CustomDepth->value(), 17);
    EXPECT_FALSE(reread.KV_UT_Depth_Conversion_Optimise->isChecked());
    EXPECT_TRUE(reread.KV_UT_Depth_Conversion_Dither->isChecked());
    EXPECT_FALSE(reread.KV_UT_Depth_Conversion_Bleed->isChecked());
    EXPECT_FALSE(reread.KV_UT_Depth_FullPreview->isChecked());
}

TEST(DepthPage, MissingKeysRestoreTheDefaultsAndOddValuesAreClamped)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("depth.INI"));
    IniFile ini(path.toStdString());
    ini.WriteString("Process", "CDepth", "1000");

    DepthPage page(nullptr);
    page.KV_UT_Depth_Conversion_Depth->setItemIndex(0);
    page.KV_UT_Depth_Conversion_Dither->setChecked(false);
    page.readSettings(ini);
    EXPECT_EQ(page.KV_UT_Depth_Conversion_Depth->itemIndex(), 1);
    EXPECT_TRUE(page.KV_UT_Depth_Conversion_Dither->isChecked());
    EXPECT_EQ(page.KV_UT_Depth_Conversion_CustomDepth->value(), 256) << "a count above the range is clamped";
}
