#include "utilities/enhance_page.h"

#include "controls/lead_ctrl.h"
#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QTemporaryDir>

using namespace vask;
using namespace vask::sheet_checks;

TEST(EnhancePage, ControlsShowTheirCaptionsHintsTagsAndRanges)
{
    EnhancePage page(nullptr);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_Enhance"));

    expectSpeedButtons(page,
                       {{"KV_UT_Enhance_EnableDrag", "DD", "Allow Drag of Utility Image", 11},
                        {"KV_UT_Enhance_Speed_Brightness", "^", "Apply brightness [+/- 100%]", 21},
                        {"KV_UT_Enhance_Speed_Contrast", "^", "Apply contrast [+/- 100%]", 22},
                        {"KV_UT_Enhance_Speed_HistContrast", "^", "Apply histogram contrast [+/- 100%]", 23},
                        {"KV_UT_Enhance_Speed_Gamma", "^", "Apply gamma [+ 2.40]", 24},
                        {"KV_UT_Enhance_Speed_Hue", "^", "Adjust hue [+/- 180%]", 25},
                        {"KV_UT_Enhance_Speed_Saturation", "^", "Adjust saturation [+/- 100%]", 26},
                        {"KV_UT_Enhance_AddEffect", "X + X",
                         "Accept Preview Image - Allows Multiple adjustments to be applied -  adjust one "
                         "parameter, click this, "
                         "then add another effect]",
                         27},
                        {"KV_UT_Enhance_Reset", "R", "Reset slider settings to neutral", 28},
                        {"KV_UT_Enhance_Stretch", "ST ", "Stretch Intensity of Image", 29}});
    expectVerticalTrackBars(page, {{"KV_UT_Enhance_Brightness", -1000, 1000, 0, 100},
                                   {"KV_UT_Enhance_Contrast", -1000, 1000, 0, 100},
                                   {"KV_UT_Enhance_HistContrast", -1000, 1000, 0, 100},
                                   {"KV_UT_Enhance_Gamma", 1, 250, 125, 12},
                                   {"KV_UT_Enhance_Hue", -180, 180, 0, 18},
                                   {"KV_UT_Enhance_Saturation", -1000, 1000, 0, 100}});
    expectCheckBoxes(page,
                     {{"KV_UT_Enhance_RealTime", "Manual ",
                       "Allows 'Real Time alteration' of Image [otherwise use buttons. Hue and Saturation "
                       "must be Manually updated]",
                       true}});

    ASSERT_NE(named<TLeadCtrl>(page, "KV_UT_Enhance_Preview"), nullptr);
    auto* copy = named<TLeadCtrl>(page, "KV_UT_Enhance_CopyPreview");
    ASSERT_NE(copy, nullptr);
    EXPECT_FALSE(copy->isVisibleTo(&page));
    EXPECT_TRUE(page.KV_UT_Enhance_Preview->isVisibleTo(&page));

    EXPECT_EQ(labelTexts(page),
              QStringList({"Br ", "Cnt ", "HCnt ", "Gma", "Hue ", "Sat ", "Max ", "Neutral", "Min "}));
}

TEST(EnhancePage, EachApplyButtonSitsUnderItsOwnBar)
{
    EnhancePage page(nullptr);
    const std::vector<std::pair<QWidget*, QWidget*>> columns = {
        {page.KV_UT_Enhance_Brightness, page.KV_UT_Enhance_Speed_Brightness},
        {page.KV_UT_Enhance_Contrast, page.KV_UT_Enhance_Speed_Contrast},
        {page.KV_UT_Enhance_HistContrast, page.KV_UT_Enhance_Speed_HistContrast},
        {page.KV_UT_Enhance_Gamma, page.KV_UT_Enhance_Speed_Gamma},
        {page.KV_UT_Enhance_Hue, page.KV_UT_Enhance_Speed_Hue},
        {page.KV_UT_Enhance_Saturation, page.KV_UT_Enhance_Speed_Saturation}};
    for (const auto& [bar, button] : columns) {
        SCOPED_TRACE(bar->objectName().toStdString());
        EXPECT_GT(button->y(), bar->geometry().bottom());
        EXPECT_GE(button->x(), bar->x() - 8);
        EXPECT_LE(button->geometry().right(), bar->geometry().right() + 8);
    }
}

TEST(EnhancePage, ManualSwitchRoundTripsThroughProcessEManual)
{
    QTemporaryDir folder;
    IniFile ini(folder.filePath(QStringLiteral("enhance.INI")).toStdString());

    EnhancePage changed(nullptr);
    changed.KV_UT_Enhance_RealTime->setChecked(false);
    changed.writeSettings(ini);
    EXPECT_EQ(settingsEntries(QString::fromStdString(ini.path())).at("Process/EManual"), "0");

    EnhancePage reread(nullptr);
    reread.readSettings(ini);
    EXPECT_FALSE(reread.KV_UT_Enhance_RealTime->isChecked());
}
