#include "utilities/annotation_page.h"

#include "controls/form_widgets.h"
#include "settings/ini_file.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>

namespace vask {

namespace {

const std::string kSection = "Process";

// The line drawing button has no caption: a slanted line with an arrow head.
QIcon arrowGlyph()
{
    return drawGlyph([](QPainter& painter) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1.5));
        painter.drawLine(2, 14, 13, 3);
        painter.setBrush(Qt::black);
        const QPointF head[] = {{14, 2}, {8, 4}, {12, 8}};
        painter.drawPolygon(head, 3);
    });
}

// The page's keys in the order the settings file holds them. Justify reads false when the file has
// no value, although the page is built with "Left Justify " checked: the file's default wins when
// the window is created.
std::vector<PageSetting> pageSettings(const AnnotationPage& page)
{
    return {{page.KV_UT_Annotation_Transparent, "FntTrans", true},
            {page.KV_UT_Annotation_AutoSize, "FntASize", true},
            {page.KV_UT_Annotation_Bold, "FntBold", false},
            {page.KV_UT_Annotation_Italic, "FntItalic", false},
            {page.KV_UT_Annotation_Underline, "FntUnderline", false},
            {page.KV_UT_Annotation_WithArrows, "Arrows", true},
            {page.KV_UT_Annotation_DoubleArrows, "Double", false},
            {page.KV_UT_Annotation_PrefWidth, "Default", true},
            {page.KV_UT_Annotation_LineWidth, "LineWidth", 2},
            {page.KV_UT_Annotation_Center, "Justify", false}};
}

} // namespace

AnnotationPage::AnnotationPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Annotation"));

    KV_UT_Annotation_Callupfonts =
        makeSpeedButton(this, QStringLiteral("KV_UT_Annotation_Callupfonts"), QStringLiteral("Fonts"),
                        QStringLiteral("Select Font Style"), 30);
    KV_UT_Annotation_EnableDrag = makeSpeedButton(
        this, QStringLiteral("KV_UT_Annotation_EnableDrag"), QStringLiteral("DD"),
        QStringLiteral(
            "Allow Drag of annotation - Drag text over desired Image and release - Text is applied "
            "to the selection area defined"),
        14);
    KV_UT_Annotation_BckColor =
        makeSpeedButton(this, QStringLiteral("KV_UT_Annotation_BckColor"), QStringLiteral("Back Color"),
                        QStringLiteral("Select the Background Color for non-transparent text"), 31);
    KV_UT_Annotation_DrawArrows = makeSpeedButton(
        this, QStringLiteral("KV_UT_Annotation_DrawArrows"), QString(),
        QStringLiteral("Draw lines or arrows on  Image [ Uses font color for line color - use font options "
                       "adjacent to select a new color ]"),
        32);
    KV_UT_Annotation_DrawArrows->setIcon(arrowGlyph());

    KV_UT_Annotation_Text = new QPlainTextEdit(this);
    KV_UT_Annotation_Text->setObjectName(QStringLiteral("KV_UT_Annotation_Text"));
    KV_UT_Annotation_Text->setToolTip(
        QStringLiteral("Enter annotation text here.  Then select the Image you require text in, define an "
                       "area, then drag and drop text onto Image"));

    KV_UT_Annotation_Transparent =
        makeCheckBox(this, QStringLiteral("KV_UT_Annotation_Transparent"), QStringLiteral("Transparent"),
                     QStringLiteral("Apply text with transparent background [Default]"), true);
    KV_UT_Annotation_AutoSize = makeCheckBox(
        this, QStringLiteral("KV_UT_Annotation_AutoSize"), QStringLiteral("AutoSize Text"),
        QStringLiteral("If selected text is sized to fit selection area [Only use on 8 or 24 bit Images]"),
        true);
    KV_UT_Annotation_Bold = makeCheckBox(this, QStringLiteral("KV_UT_Annotation_Bold"),
                                         QStringLiteral("Use Bold "), QStringLiteral("Use Bold text"), false);
    KV_UT_Annotation_Italic =
        makeCheckBox(this, QStringLiteral("KV_UT_Annotation_Italic"), QStringLiteral("Use Italic"),
                     QStringLiteral("Use Italic text"), false);
    KV_UT_Annotation_Underline =
        makeCheckBox(this, QStringLiteral("KV_UT_Annotation_Underline"), QStringLiteral("Underline"),
                     QStringLiteral("Underline the text"), false);
    KV_UT_Annotation_WithArrows =
        makeCheckBox(this, QStringLiteral("KV_UT_Annotation_WithArrows"), QStringLiteral("Arrows"),
                     QStringLiteral("Check Option to draw lines with arrow heads"), true);
    KV_UT_Annotation_DoubleArrows = makeCheckBox(
        this, QStringLiteral("KV_UT_Annotation_DoubleArrows"), QStringLiteral("Double "),
        QStringLiteral("When the arrows option is checked, check this option to draw arrow heads at both end "
                       "of the line"),
        false);
    KV_UT_Annotation_PrefWidth = makeCheckBox(
        this, QStringLiteral("KV_UT_Annotation_PrefWidth"), QStringLiteral("Default Width [1] "),
        QStringLiteral("Draw lines to default of 1 pixel in width or use preference setting"), true);
    KV_UT_Annotation_LineWidth =
        new SpinEdit(this, QStringLiteral("KV_UT_Annotation_LineWidth"), 1, 50, 2, 1,
                     QStringLiteral("Width of lines if default width is not used [1 -50]"));
    KV_UT_Annotation_Center = makeCheckBox(
        this, QStringLiteral("KV_UT_Annotation_Center"), QStringLiteral("Left Justify "),
        QStringLiteral("Check option to left justify text within selection area or uncheck to center text"),
        true);

    // Pixel positions within the 553 x 209 inner page: commands above the text, text options
    // in the middle column, line options on the right.
    KV_UT_Annotation_Callupfonts->setGeometry(4, 4, 56, 22);
    KV_UT_Annotation_BckColor->setGeometry(64, 4, 72, 22);
    KV_UT_Annotation_EnableDrag->setGeometry(140, 4, 32, 22);
    KV_UT_Annotation_DrawArrows->setGeometry(176, 4, 26, 22);
    KV_UT_Annotation_Text->setGeometry(4, 30, 300, 174);

    constexpr int textOptionsLeft = 314;
    constexpr int lineOptionsLeft = 434;
    constexpr int rowHeight = 22;
    KV_UT_Annotation_Transparent->setGeometry(textOptionsLeft, 6, 116, 18);
    KV_UT_Annotation_AutoSize->setGeometry(textOptionsLeft, 6 + rowHeight, 116, 18);
    KV_UT_Annotation_Bold->setGeometry(textOptionsLeft, 6 + 2 * rowHeight, 116, 18);
    KV_UT_Annotation_Italic->setGeometry(textOptionsLeft, 6 + 3 * rowHeight, 116, 18);
    KV_UT_Annotation_Underline->setGeometry(textOptionsLeft, 6 + 4 * rowHeight, 116, 18);
    KV_UT_Annotation_Center->setGeometry(textOptionsLeft, 6 + 5 * rowHeight, 116, 18);
    KV_UT_Annotation_WithArrows->setGeometry(lineOptionsLeft, 6, 114, 18);
    KV_UT_Annotation_DoubleArrows->setGeometry(lineOptionsLeft, 6 + rowHeight, 114, 18);
    KV_UT_Annotation_PrefWidth->setGeometry(lineOptionsLeft, 6 + 2 * rowHeight, 114, 18);
    KV_UT_Annotation_LineWidth->setGeometry(lineOptionsLeft + 18, 4 + 3 * rowHeight, 60, 22);
}

void AnnotationPage::readSettings(const IniFile& ini)
{
    readPageSettings(ini, kSection, pageSettings(*this));
}

void AnnotationPage::writeSettings(IniFile& ini) const
{
    writePageSettings(ini, kSection, pageSettings(*this));
}

} // namespace vask
