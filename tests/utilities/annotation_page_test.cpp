#include "utilities/annotation_page.h"

#include "settings/ini_file.h"
#include "sheet_checks.h"

#include <QPlainTextEdit>
#include <QTemporaryDir>

using namespace vask;
using namespace vask::sheet_checks;

TEST(AnnotationPage, ControlsShowTheirCaptionsHintsTagsAndStartStates)
{
    AnnotationPage page(nullptr);
    EXPECT_EQ(page.objectName(), QStringLiteral("KV_UT_Annotation"));

    expectSpeedButtons(page, {{"KV_UT_Annotation_Callupfonts", "Fonts", "Select Font Style", 30},
                              {"KV_UT_Annotation_EnableDrag", "DD",
                               "Allow Drag of annotation - Drag text over desired Image and release - Text "
                               "is applied to the selection "
                               "area defined",
                               14},
                              {"KV_UT_Annotation_BckColor", "Back Color",
                               "Select the Background Color for non-transparent text", 31},
                              {"KV_UT_Annotation_DrawArrows", "",
                               "Draw lines or arrows on  Image [ Uses font color for line color - use font "
                               "options adjacent to select a "
                               "new color ]",
                               32}});
    expectCheckBoxes(
        page,
        {{"KV_UT_Annotation_Transparent", "Transparent", "Apply text with transparent background [Default]",
          true},
         {"KV_UT_Annotation_AutoSize", "AutoSize Text",
          "If selected text is sized to fit selection area [Only use on 8 or 24 bit Images]", true},
         {"KV_UT_Annotation_Bold", "Use Bold ", "Use Bold text", false},
         {"KV_UT_Annotation_Italic", "Use Italic", "Use Italic text", false},
         {"KV_UT_Annotation_Underline", "Underline", "Underline the text", false},
         {"KV_UT_Annotation_WithArrows", "Arrows", "Check Option to draw lines with arrow heads", true},
         {"KV_UT_Annotation_DoubleArrows", "Double ",
          "When the arrows option is checked, check this option to draw arrow heads at both end of the line",
          false},
         {"KV_UT_Annotation_PrefWidth", "Default Width [1] ",
          "Draw lines to default of 1 pixel in width or use preference setting", true},
         {"KV_UT_Annotation_Center", "Left Justify ",
          "Check option to left justify text within selection area or uncheck to center text", true}});
    expectSpinEdits(page, {{"KV_UT_Annotation_LineWidth",
                            "Width of lines if default width is not used [1 -50]", 1, 50, 2, 1}});

    auto* memo = named<QPlainTextEdit>(page, "KV_UT_Annotation_Text");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->toolTip(),
              QStringLiteral("Enter annotation text here.  Then select the Image you require text "
                             "in, define an area, then drag and drop text onto Image"));
    EXPECT_FALSE(page.KV_UT_Annotation_DrawArrows->icon().isNull()) << "the captionless button shows a glyph";
}

TEST(AnnotationPage, LeftJustifyReadsUncheckedWhenTheFileHasNoValue)
{
    QTemporaryDir folder;
    IniFile ini(folder.filePath(QStringLiteral("empty.INI")).toStdString());
    AnnotationPage page(nullptr);
    ASSERT_TRUE(page.KV_UT_Annotation_Center->isChecked());
    page.readSettings(ini);
    EXPECT_FALSE(page.KV_UT_Annotation_Center->isChecked());
    EXPECT_TRUE(page.KV_UT_Annotation_PrefWidth->isChecked());
    EXPECT_EQ(page.KV_UT_Annotation_LineWidth->value(), 2);
}

TEST(AnnotationPage, TextOptionsRoundTripThroughTheProcessSection)
{
    QTemporaryDir folder;
    IniFile ini(folder.filePath(QStringLiteral("annotation.INI")).toStdString());

    AnnotationPage changed(nullptr);
    changed.KV_UT_Annotation_Transparent->setChecked(false);
    changed.KV_UT_Annotation_Bold->setChecked(true);
    changed.KV_UT_Annotation_Underline->setChecked(true);
    changed.KV_UT_Annotation_DoubleArrows->setChecked(true);
    changed.KV_UT_Annotation_LineWidth->setValue(50);
    changed.writeSettings(ini);

    const auto entries = settingsEntries(QString::fromStdString(ini.path()));
    const std::vector<std::pair<QString, QString>> expected = {
        {"Process/FntTrans", "0"},  {"Process/FntASize", "1"},     {"Process/FntBold", "1"},
        {"Process/FntItalic", "0"}, {"Process/FntUnderline", "1"}, {"Process/Arrows", "1"},
        {"Process/Double", "1"},    {"Process/Default", "1"},      {"Process/LineWidth", "50"},
        {"Process/Justify", "1"}};
    for (const auto& [key, value] : expected) {
        ASSERT_EQ(entries.count(key), 1u) << key.toStdString();
        EXPECT_EQ(entries.at(key), value) << key.toStdString();
    }

    AnnotationPage reread(nullptr);
    reread.readSettings(ini);
    EXPECT_FALSE(reread.KV_UT_Annotation_Transparent->isChecked());
    EXPECT_TRUE(reread.KV_UT_Annotation_Bold->isChecked());
    EXPECT_FALSE(reread.KV_UT_Annotation_Italic->isChecked());
    EXPECT_TRUE(reread.KV_UT_Annotation_Underline->isChecked());
    EXPECT_TRUE(reread.KV_UT_Annotation_DoubleArrows->isChecked());
    EXPECT_EQ(reread.KV_UT_Annotation_LineWidth->value(), 50);
    EXPECT_TRUE(reread.KV_UT_Annotation_Center->isChecked());
}
