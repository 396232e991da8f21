#include "utilities/gradient_blends_page.h"

#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QProgressBar>
#include <QSlider>

using namespace vask::sheet_checks;
using vask::GradientBlendsPage;

TEST(GradientBlendsPage, HoldsEveryControlWithItsCaptionHintAndStartState)
{
    GradientBlendsPage page;
    EXPECT_EQ(page.objectName(), "KV_UT_Mask_MaskDesign");
    expectSpeedButtons(page, {
                                 {"KV_UT_Mask_Special_CalcMask", "Calc", "Re-Calculate Gradient Mask", 13},
                                 {"KV_UT_Mask_Special_ResultDrag", "DD", "Allow Drag of Utility Image", 4},
                                 {"KV_UT_Mask_Special_ReRun", "Blend",
                                  "Re-Calculate \"Resulting Image\" - [ Manual Update ]", 14},
                             });
    expectCheckBoxes(page, {
                               {"KV_UT_Mask_Special_CutOff", "Part Gradient",
                                "Stop Mask at Vertical Pointer Position", false},
                               {"KV_UT_Mask_Special_AutoSize", "AutoSize ",
                                "Size mask to suit Source and Destination Images [Both Source and "
                                "Destination Images must contain an "
                                "Image or Manual values are used]",
                                false},
                               {"KV_UT_Mask_Special_BaseOpaque", "Opaque ",
                                "Underlying Mask will be Opaque [Part Gradient Only]", true},
                           });
    expectSpinEdits(page, {
                              {"KV_UT_Mask_Special_HStart", "", 0, 200, 100, 1},
                              {"KV_UT_Mask_Special_VStart", "", 0, 200, 100, 1},
                              {"KV_UT_Mask_Special_HEnd", "", 0, 200, 100, 1},
                              {"KV_UT_Mask_Special_VEnd", "", 0, 200, 0, 1},
                              {"KV_UT_Mask_Special_Width",
                               "Mask Width [AutoSize must be False] -  Max Value 2000", 10, 2000, 100, 1},
                              {"KV_UT_Mask_Special_Height",
                               "Mask Height [AutoSize Must be False]  -  Max Value 2000", 10, 2000, 100, 1},
                          });

    const auto* progress = page.findChild<QProgressBar*>("KV_UT_Mask_Special_Progress");
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->toolTip(), "Mask Creation Percentage Complete");
    EXPECT_EQ(progress->minimum(), 0);
    EXPECT_EQ(progress->maximum(), 100);

    const struct {
        const char* name;
        Qt::Orientation orientation;
    } pointers[] = {{"KV_UT_Mask_Special_VTrack", Qt::Vertical},
                    {"KV_UT_Mask_Special_HTrack", Qt::Horizontal}};
    for (const auto& pointer : pointers) {
        SCOPED_TRACE(pointer.name);
        const auto* slider = page.findChild<QSlider*>(pointer.name);
        ASSERT_NE(slider, nullptr);
        EXPECT_EQ(slider->orientation(), pointer.orientation);
        EXPECT_EQ(slider->minimum(), 1);
        EXPECT_EQ(slider->maximum(), 100);
        EXPECT_EQ(slider->value(), 50);
        EXPECT_EQ(slider->tickInterval(), 1);
    }

    for (const char* name : {"KV_UT_Mask_Special_Source", "KV_UT_Mask_Special_OrgDestination",
                             "KV_UT_Mask_Special_Mask", "KV_UT_Mask_Special_Destination"})
        EXPECT_NE(page.findChild<vask::TPicbuf*>(name), nullptr) << name;

    const QStringList labels = labelTexts(page);
    for (const char* text : {"Source:- ", "Destination:- ", "Result:- ", "[ 0% ]", "< W x H >"})
        EXPECT_TRUE(labels.contains(text)) << text;
    EXPECT_EQ(page.KV_UT_Mask_Special_TLabel->text(), "[ 0% ]");
    EXPECT_EQ(page.KV_UT_Mask_Special_TLabel->toolTip(), "Transparency at Mouse X,Y [ 0 % is Opaque ]");
}

TEST(GradientBlendsPage, VerticalPointerRunsFromTheTopRowOfTheMaskDownwards)
{
    GradientBlendsPage page;
    QSlider* pointer = page.KV_UT_Mask_Special_VTrack;
    // A click near the top end moves the pointer toward its minimum, a click near the bottom
    // toward its maximum.
    QTest::mouseClick(pointer, Qt::LeftButton, Qt::NoModifier, QPoint(pointer->width() / 2, 3));
    EXPECT_LT(pointer->value(), 50);
    pointer->setValue(50);
    QTest::mouseClick(pointer, Qt::LeftButton, Qt::NoModifier,
                      QPoint(pointer->width() / 2, pointer->height() - 4));
    EXPECT_GT(pointer->value(), 50);
}

TEST(GradientBlendsPage, WithoutSettingsFileTheDefaultsShow)
{
    GradientBlendsPage page;
    for (vask::SpinEdit* edit :
         {page.KV_UT_Mask_Special_VEnd, page.KV_UT_Mask_Special_VStart, page.KV_UT_Mask_Special_HStart,
          page.KV_UT_Mask_Special_HEnd, page.KV_UT_Mask_Special_Width, page.KV_UT_Mask_Special_Height})
        edit->setValue(33);
    page.KV_UT_Mask_Special_AutoSize->setChecked(true);
    page.KV_UT_Mask_Special_BaseOpaque->setChecked(false);
    page.KV_UT_Mask_Special_CutOff->setChecked(true);

    page.readSettings(freshSettings());

    EXPECT_EQ(page.KV_UT_Mask_Special_VEnd->value(), 0);
    EXPECT_EQ(page.KV_UT_Mask_Special_VStart->value(), 100);
    EXPECT_EQ(page.KV_UT_Mask_Special_HStart->value(), 100);
    EXPECT_EQ(page.KV_UT_Mask_Special_HEnd->value(), 100);
    EXPECT_EQ(page.KV_UT_Mask_Special_Width->value(), 100);
    EXPECT_EQ(page.KV_UT_Mask_Special_Height->value(), 100);
    EXPECT_FALSE(page.KV_UT_Mask_Special_AutoSize->isChecked());
    EXPECT_TRUE(page.KV_UT_Mask_Special_BaseOpaque->isChecked());
    EXPECT_FALSE(page.KV_UT_Mask_Special_CutOff->isChecked());
}

TEST(GradientBlendsPage, SettingsComeBackOnAFreshPage)
{
    vask::IniFile ini = freshSettings();
    {
        GradientBlendsPage page;
        page.KV_UT_Mask_Special_VEnd->setValue(12);
        page.KV_UT_Mask_Special_VStart->setValue(150);
        page.KV_UT_Mask_Special_HStart->setValue(3);
        page.KV_UT_Mask_Special_HEnd->setValue(200);
        page.KV_UT_Mask_Special_Width->setValue(640);
        page.KV_UT_Mask_Special_Height->setValue(480);
        page.KV_UT_Mask_Special_AutoSize->setChecked(true);
        page.KV_UT_Mask_Special_BaseOpaque->setChecked(false);
        page.KV_UT_Mask_Special_CutOff->setChecked(true);
        page.writeSettings(ini);
    }
    const QString text = settingsText();
    for (const char* line : {"VEnd=12", "VStart=150", "HStart=3", "HEnd=200", "MWidth=640", "MHeight=480",
                             "Auto=1", "Opaque=0", "Part=1"})
        EXPECT_TRUE(text.contains(line)) << line;

    GradientBlendsPage fresh;
    fresh.readSettings(ini);
    EXPECT_EQ(fresh.KV_UT_Mask_Special_VEnd->value(), 12);
    EXPECT_EQ(fresh.KV_UT_Mask_Special_VStart->value(), 150);
    EXPECT_EQ(fresh.KV_UT_Mask_Special_HStart->value(), 3);
    EXPECT_EQ(fresh.KV_UT_Mask_Special_HEnd->value(), 200);
    EXPECT_EQ(fresh.KV_UT_Mask_Special_Width->value(), 640);
    EXPECT_EQ(fresh.KV_UT_Mask_Special_Height->value(), 480);
    EXPECT_TRUE(fresh.KV_UT_Mask_Special_AutoSize->isChecked());
    EXPECT_FALSE(fresh.KV_UT_Mask_Special_BaseOpaque->isChecked());
    EXPECT_TRUE(fresh.KV_UT_Mask_Special_CutOff->isChecked());
}

TEST(GradientBlendsPage, TypedLevelsAndSizesAreClampedToTheirRanges)
{
    GradientBlendsPage page;
    expectTypedValues({
        {page.KV_UT_Mask_Special_VStart, "250", 200},
        {page.KV_UT_Mask_Special_VEnd, "-5", 0},
        {page.KV_UT_Mask_Special_HEnd, "199", 199},
        {page.KV_UT_Mask_Special_Width, "5", 10},
        {page.KV_UT_Mask_Special_Height, "5000", 2000},
        {page.KV_UT_Mask_Special_Width, "1999", 1999},
    });
}

TEST(GradientBlendsPage, FitsTheInnerSheetWithNothingOverlapping)
{
    GradientBlendsPage page;
    page.setFont(windowFont());
    expectTidyLayout(page, kInnerSheet);
}
