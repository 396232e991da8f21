#include "utilities/resample_page.h"

#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QTemporaryDir>

using namespace vask;
using namespace vask::sheet_checks;

TEST(ResamplePage, ControlsShowTheirCaptionsHintsAndRanges)
{
    ResamplePage page(nullptr);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_Resample"));

    auto* group = named<QGroupBox>(page, "KV_UT_Resample_GroupBox");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral(" Resample Options "));
    EXPECT_NE(named<TLeadCtrl>(page, "KV_UT_Resample_Preview"), nullptr);
    expectSpeedButtons(page, {{"KV_UT_Resample_EnableDrag", "DD", "Allow Drag of Utility Image", 12}});
    expectSpinEdits(page, {{"KV_UT_Resample_Width", "Enter Width for Resampled Image", 10, 3000, 100, 1},
                           {"KV_UT_Resample_Height", "Enter Height for Resampled Image", 10, 3000, 100, 1}});
    expectCheckBoxes(page, {{"KV_UT_Resample_Quality", "High Quality Resample",
                             "Use High Quality Resample during Resampling", true},
                            {"KV_UT_Resample_MAspect", "Maintain Aspect Ratio",
                             "Use width only and calculate height to maintain aspect ratio", true}});
    EXPECT_EQ(labelTexts(page), QStringList({"New Width:- ", "New Height:- "}));
}

TEST(ResamplePage, SizeAndOptionsRoundTripThroughTheProcessSection)
{
    QTemporaryDir folder;
    IniFile ini(folder.filePath(QStringLiteral("resample.INI")).toStdString());

    ResamplePage changed(nullptr);
    changed.KV_UT_Resample_Width->setValue(640);
    changed.KV_UT_Resample_Height->setValue(10);
    changed.KV_UT_Resample_MAspect->setChecked(false);
    changed.writeSettings(ini);

    const auto entries = settingsEntries(QString::fromStdString(ini.path()));
    EXPECT_EQ(entries.at("Process/RWidth"), "640");
    EXPECT_EQ(entries.at("Process/RHeight"), "10");
    EXPECT_EQ(entries.at("Process/RMAspect"), "0");
    EXPECT_EQ(entries.at("Process/HQResample"), "1");

    ResamplePage reread(nullptr);
    reread.readSettings(ini);
    EXPECT_EQ(reread.KV_UT_Resample_Width->value(), 640);
    EXPECT_EQ(reread.KV_UT_Resample_Height->value(), 10);
    EXPECT_FALSE(reread.KV_UT_Resample_MAspect->isChecked());
    EXPECT_TRUE(reread.KV_UT_Resample_Quality->isChecked());
}
