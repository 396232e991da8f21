#include "utilities/mask_images_page.h"

#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QFrame>

using namespace vask::sheet_checks;
using vask::MaskImagesPage;

TEST(MaskImagesPage, HoldsEveryControlWithItsCaptionHintAndStartState)
{
    MaskImagesPage page;
    EXPECT_EQ(page.objectName(), "KV_UT_Mask_BaseImage");
    expectSpeedButtons(
        page, {
                  {"KV_UT_Mask_Base_AllowDrag", "DD", "Allow Drag of Utility Image", 3},
                  {"KV_UT_Mask_Base_ReRun", "Calc", "Re calculate resulting Image - [ Manual Update ]", 12},
              });
    expectCheckBoxes(page, {
                               {"KV_UT_Mask_Base_FullPreview", "Fast Preview",
                                "Use Fast Resample for Dragged Images", true},
                               {"KV_UT_Mask_Base_Maintain", "Maintain Destination ",
                                "Always Restore Original Destination Image before Masking", true},
                               {"KV_UT_Mask_Base_OnDrop", "Calculate result on  Image Drop ",
                                "When all Images are Valid Activate Function on Any Drop Event", true},
                               {"KV_UT_Mask_Base_BlendOnDrop", "Blend Images on Image Drop",
                                "On Drop blend Source with Destination at Selected Ratio", false},
                           });
    expectSpinEdits(
        page, {{"KV_UT_Mask_BlendRatio",
                "Blend Ratio 1 to 100% -  At 100% the Resulting Image is made totally from the Source Image",
                1, 100, 50, 1}});
    const struct {
        const char* name;
        const char* hint;
    } pictures[] = {
        {"KV_UT_Mask_Base_Destination", "'Resulting' Image - Use Drag Drop to Drag this Image"},
        {"KV_UT_Mask_Base_OrgDestination", "'Destination' Image -  Use Drag Drop to Assign an Image"},
        {"KV_UT_Mask_Image_Mask", "'Mask' Image - Use Drag Drop to Assign an Image"},
        {"KV_UT_Mask_Base_Source", "'Source' Image -  Use Drag Drop to Assign an Image"},
    };
    for (const auto& picture : pictures) {
        SCOPED_TRACE(picture.name);
        const auto* buffer = page.findChild<vask::TPicbuf*>(picture.name);
        ASSERT_NE(buffer, nullptr);
        EXPECT_EQ(buffer->toolTip(), picture.hint);
        EXPECT_FALSE(buffer->isHidden());
    }
    EXPECT_TRUE(page.KV_UT_Mask_BlendRatio->isHidden());
    EXPECT_EQ(page.KV_UT_Mask_Base_Source, page.findChild<vask::TPicbuf*>("KV_UT_Mask_Base_Source"));
    const QStringList labels = labelTexts(page);
    for (const char* text : {" Source:- ", " Result:- ", " Mask:- ", "Destination"})
        EXPECT_TRUE(labels.contains(text)) << text;
    EXPECT_EQ(page.findChild<QLabel*>("KV_UT_MaskBuffer_Label")->text(), " Mask:- ");
}

TEST(MaskImagesPage, BlendOnDropSwapsTheMaskPictureForTheRatioEdit)
{
    MaskImagesPage page;
    QTest::mouseClick(page.KV_UT_Mask_Base_BlendOnDrop, Qt::LeftButton);
    ASSERT_TRUE(page.KV_UT_Mask_Base_BlendOnDrop->isChecked());
    EXPECT_EQ(page.KV_UT_MaskBuffer_Label->text(), "Blend Mix Ratio:- ");
    EXPECT_EQ(page.KV_UT_Mask_MaskBevel->frameShadow(), QFrame::Raised);
    EXPECT_TRUE(page.KV_UT_Mask_Image_Mask->isHidden());
    EXPECT_FALSE(page.KV_UT_Mask_BlendRatio->isHidden());

    QTest::mouseClick(page.KV_UT_Mask_Base_BlendOnDrop, Qt::LeftButton);
    ASSERT_FALSE(page.KV_UT_Mask_Base_BlendOnDrop->isChecked());
    EXPECT_EQ(page.KV_UT_MaskBuffer_Label->text(), "Mask:- ");
    EXPECT_EQ(page.KV_UT_Mask_MaskBevel->frameShadow(), QFrame::Sunken);
    EXPECT_FALSE(page.KV_UT_Mask_Image_Mask->isHidden());
    EXPECT_TRUE(page.KV_UT_Mask_BlendRatio->isHidden());
}

TEST(MaskImagesPage, WithoutSettingsFileTheDefaultsShow)
{
    MaskImagesPage page;
    page.KV_UT_Mask_Base_FullPreview->setChecked(false);
    page.KV_UT_Mask_Base_BlendOnDrop->setChecked(true);
    page.KV_UT_Mask_Base_Maintain->setChecked(false);
    page.KV_UT_Mask_Base_OnDrop->setChecked(false);
    page.KV_UT_Mask_BlendRatio->setValue(7);

    page.readSettings(freshSettings());

    EXPECT_TRUE(page.KV_UT_Mask_Base_FullPreview->isChecked());
    EXPECT_FALSE(page.KV_UT_Mask_Base_BlendOnDrop->isChecked());
    EXPECT_TRUE(page.KV_UT_Mask_Base_Maintain->isChecked());
    EXPECT_TRUE(page.KV_UT_Mask_Base_OnDrop->isChecked());
    EXPECT_EQ(page.KV_UT_Mask_BlendRatio->value(), 50);
    EXPECT_FALSE(page.KV_UT_Mask_Image_Mask->isHidden());
}

TEST(MaskImagesPage, SettingsComeBackOnAFreshPageWithTheBlendLook)
{
    vask::IniFile ini = freshSettings();
    {
        MaskImagesPage page;
        page.KV_UT_Mask_Base_FullPreview->setChecked(false);
        page.KV_UT_Mask_Base_BlendOnDrop->setChecked(true);
        page.KV_UT_Mask_Base_Maintain->setChecked(false);
        page.KV_UT_Mask_Base_OnDrop->setChecked(false);
        page.KV_UT_Mask_BlendRatio->setValue(77);
        page.writeSettings(ini);
    }
    const QString text = settingsText();
    EXPECT_TRUE(text.contains("[Mask]"));
    for (const char* line : {"FastMask=0", "DropBlend=1", "Maintain=0", "DropCalc=0", "BRatio=77"})
        EXPECT_TRUE(text.contains(line)) << line;

    MaskImagesPage fresh;
    fresh.readSettings(ini);
    EXPECT_FALSE(fresh.KV_UT_Mask_Base_FullPreview->isChecked());
    EXPECT_TRUE(fresh.KV_UT_Mask_Base_BlendOnDrop->isChecked());
    EXPECT_FALSE(fresh.KV_UT_Mask_Base_Maintain->isChecked());
    EXPECT_FALSE(fresh.KV_UT_Mask_Base_OnDrop->isChecked());
    EXPECT_EQ(fresh.KV_UT_Mask_BlendRatio->value(), 77);
    EXPECT_EQ(fresh.KV_UT_MaskBuffer_Label->text(), "Blend Mix Ratio:- ");
    EXPECT_TRUE(fresh.KV_UT_Mask_Image_Mask->isHidden());
    EXPECT_FALSE(fresh.KV_UT_Mask_BlendRatio->isHidden());
}

TEST(MaskImagesPage, BlendRatioFromTheFileIsKeptInsideOneToHundred)
{
    vask::IniFile ini = freshSettings();
    ini.WriteInteger("Mask", "BRatio", 250);
    MaskImagesPage page;
    page.readSettings(ini);
    EXPECT_EQ(page.KV_UT_Mask_BlendRatio->value(), 100);
}

TEST(MaskImagesPage, TypedBlendRatioIsClampedToItsRange)
{
    MaskImagesPage page;
    EXPECT_EQ(typeInto(*page.KV_UT_Mask_BlendRatio, "0"), 1);
    EXPECT_EQ(typeInto(*page.KV_UT_Mask_BlendRatio, "100"), 100);
    EXPECT_EQ(typeInto(*page.KV_UT_Mask_BlendRatio, "250"), 100);
}

TEST(MaskImagesPage, FitsTheInnerSheetWithNothingOverlappingInEitherLook)
{
    MaskImagesPage page;
    page.setFont(windowFont());
    expectTidyLayout(page, kInnerSheet);
    page.KV_UT_Mask_Base_BlendOnDrop->setChecked(true);
    expectTidyLayout(page, kInnerSheet);
    // The ratio edit sits inside the raised bevel where the mask picture was.
    EXPECT_TRUE(page.KV_UT_Mask_MaskBevel->geometry().contains(page.KV_UT_Mask_BlendRatio->geometry()));
}
