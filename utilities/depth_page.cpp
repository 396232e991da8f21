#include "utilities/depth_page.h"

#include "controls/form_widgets.h"
#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPainter>
#include <QToolButton>

namespace vask {

namespace {

const std::string kSection = "Process";

// The drag button has no caption: a small picture with an arrow leaving it.
QIcon dragGlyph()
{
    return drawGlyph([](QPainter& painter) {
        painter.setPen(Qt::black);
        painter.setBrush(QColor(0, 128, 128));
        painter.drawRect(1, 1, 8, 8);
        painter.setPen(QPen(Qt::black, 1.5));
        painter.drawLine(8, 8, 14, 14);
        painter.drawLine(14, 14, 14, 10);
        painter.drawLine(14, 14, 10, 14);
    });
}

// The page's keys in the order the settings file holds them.
std::vector<PageSetting> pageSettings(const DepthPage& page)
{
    return {{page.KV_UT_Depth_Conversion_Depth, "DDepth", 1},
            {page.KV_UT_Depth_Conversion_CustomDepth, "CDepth", 255},
            {page.KV_UT_Depth_Conversion_Optimise, "DOptimise", true},
            {page.KV_UT_Depth_Conversion_Dither, "DDither", true},
            {page.KV_UT_Depth_Conversion_Bleed, "DBleed", true},
            {page.KV_UT_Depth_FullPreview, "DFastPreview", true}};
}

} // namespace

DepthPage::DepthPage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Depth_Conversion"));

    KV_UT_Depth_EnableDrag = makeSpeedButton(this, QStringLiteral("KV_UT_Depth_EnableDrag"), QString(),
                                             QStringLiteral("Allow Drag of Utility Image"));
    KV_UT_Depth_EnableDrag->setIcon(dragGlyph());
    KV_UT_Depth_Conversion_Custom_Retry = makeSpeedButton(
        this, QStringLiteral("KV_UT_Depth_Conversion_Custom_Retry"), QStringLiteral("Preview"),
        QStringLiteral("Select depth required using radio option buttons, then use Preview to update Image"));

    GroupBox1 = new QGroupBox(QStringLiteral(" Conversion Options "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));

    KV_UT_Depth_Conversion_Depth =
        new RadioGroup(this, QStringLiteral("KV_UT_Depth_Conversion_Depth"), QStringLiteral(" Image Depth "),
                       {QStringLiteral("Convert to 24 Bit Image"), QStringLiteral("Convert to 8 Bit Image"),
                        QStringLiteral("Convert to 4 Bit Image"), QStringLiteral("Convert to 1 Bit Image"),
                        QStringLiteral("Convert to Custom  [ 2..255 ]")},
                       1, QStringLiteral("Click depth required then use the Preview button"));

    KV_UT_Depth_Preview = makePicture(this, QStringLiteral("KV_UT_Depth_Preview"), QRect(358, 4, 190, 198),
                                      QStringLiteral("Preview Image"));

    KV_UT_Depth_FullPreview = makeCheckBox(this, QStringLiteral("KV_UT_Depth_FullPreview"),
                                           QStringLiteral("Fast Preview "), QString(), true);
    KV_UT_Depth_Conversion_Optimise = makeCheckBox(
        GroupBox1, QStringLiteral("KV_UT_Depth_Conversion_Optimise"), QStringLiteral("Optimise "),
        QStringLiteral("Check to Exclude System Colours - [ Default & Must be set for 16 Colors or Less ]"),
        true);
    KV_UT_Depth_Conversion_Dither =
        makeCheckBox(GroupBox1, QStringLiteral("KV_UT_Depth_Conversion_Dither"), QStringLiteral("Dither "),
                     QStringLiteral("Check to allow dithering"), true);
    KV_UT_Depth_Conversion_Bleed =
        makeCheckBox(GroupBox1, QStringLiteral("KV_UT_Depth_Conversion_Bleed"),
                     QStringLiteral("Allow Bleed "), QStringLiteral("Check to Reduce Colour Bleeding"), true);
    KV_UT_Depth_Conversion_CustomDepth =
        new SpinEdit(GroupBox1, QStringLiteral("KV_UT_Depth_Conversion_CustomDepth"), 2, 256, 255, 1,
                     QStringLiteral("Number of Colours used in custom reduction"));

    // Pixel positions within the 553 x 209 inner page.
    KV_UT_Depth_Conversion_Depth->setGeometry(4, 4, 192, 118);
    KV_UT_Depth_FullPreview->setGeometry(10, 128, 110, 18);
    KV_UT_Depth_Conversion_Custom_Retry->setGeometry(8, 152, 64, 24);
    KV_UT_Depth_EnableDrag->setGeometry(76, 152, 24, 24);
    GroupBox1->setGeometry(202, 4, 150, 118);
    KV_UT_Depth_Conversion_Optimise->setGeometry(8, 18, 136, 18);
    KV_UT_Depth_Conversion_Dither->setGeometry(8, 40, 136, 18);
    KV_UT_Depth_Conversion_Bleed->setGeometry(8, 62, 136, 18);
    KV_UT_Depth_Conversion_CustomDepth->setGeometry(8, 88, 70, 22);
}

void DepthPage::readSettings(const IniFile& ini)
{
    readPageSettings(ini, kSection, pageSettings(*this));
}

void DepthPage::writeSettings(IniFile& ini) const
{
    writePageSettings(ini, kSection, pageSettings(*this));
}

} // namespace vask
