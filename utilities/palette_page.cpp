#include "utilities/palette_page.h"

#include "controls/form_widgets.h"
#include "controls/picbuf.h"
#include "settings/ini_file.h"
#include "utilities/page_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

namespace vask {

namespace {

constexpr char kSection[] = "Palettes";

// Grid at the left, the palette image in the middle, the map image on the right; sized for
// the sheet area of about 560 x 238 pixels.
constexpr int kGridLeft = 4;
constexpr int kGridTop = 18;
constexpr int kButtonsLeft = kGridLeft + PaletteGrid::kExtent + 4;
constexpr QRect kPaletteImageRect(252, 18, 146, 150);
constexpr QRect kMapImageRect(406, 18, 150, 150);

} // namespace

PaletteGrid::PaletteGrid(QWidget* parent) : QWidget(parent)
{
    setFixedSize(kExtent, kExtent);
    setMouseTracking(true);
}

void PaletteGrid::setPaletteTable(std::vector<QColor> table)
{
    m_table = std::move(table);
    update();
}

QColor PaletteGrid::cellColour(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_table.size()) ||
        !m_table[static_cast<std::size_t>(index)].isValid())
        return Qt::black;
    return m_table[static_cast<std::size_t>(index)];
}

QRect PaletteGrid::cellRect(int row, int column) const
{
    return {kBorder + column * kPitch, kBorder + row * kPitch, kCellSize, kCellSize};
}

int PaletteGrid::cellIndexAt(int x, int y) const
{
    const int column = std::clamp((x - kBorder) / kPitch, 0, kCells - 1);
    const int row = std::clamp((y - kBorder) / kPitch, 0, kCells - 1);
    return row * kCells + column;
}

void PaletteGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Mid));
    for (int row = 0; row < kCells; ++row) {
        for (int column = 0; column < kCells; ++column)
            painter.fillRect(cellRect(row, column), cellColour(row * kCells + column));
    }
    // Sunken border: dark above and left, light below and right.
    const QColor dark = palette().color(QPalette::Dark);
    const QColor light = palette().color(QPalette::Light);
    for (int ring = 0; ring < kBorder; ++ring) {
        const QRect edge = rect().adjusted(ring, ring, -ring - 1, -ring - 1);
        painter.setPen(dark);
        painter.drawLine(edge.topLeft(), edge.topRight());
        painter.drawLine(edge.topLeft(), edge.bottomLeft());
        painter.setPen(light);
        painter.drawLine(edge.bottomLeft(), edge.bottomRight());
        painter.drawLine(edge.topRight(), edge.bottomRight());
    }
}

void PaletteGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    emit MouseDown(event->button(), event->modifiers(), point.x(), point.y());
}

void PaletteGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    emit MouseMove(event->buttons(), event->modifiers(), point.x(), point.y());
}

PalettePage::PalettePage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Options_Palette"));

    KV_UT_Palette_MappedDrag =
        makeSpeedButton(this, QStringLiteral("KV_UT_Palette_MappedDrag"), QStringLiteral("DD"),
                        QStringLiteral("Allow Drag of Utility Image [ No Drag Selection Image ]"), 6);
    KV_UT_Palette_MappedDrag->setGeometry(kButtonsLeft, kGridTop, 40, 22);
    KV_UT_Palette_Load = makeSpeedButton(
        this, QStringLiteral("KV_UT_Palette_Load"), QString(),
        QStringLiteral(
            "Load a 'Palette File'  and force 'Palette Image' to loaded palette - Re-Assign Palette Image "
            "between loads [ Drag Image onto grid ]"),
        2);
    KV_UT_Palette_Load->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    KV_UT_Palette_Load->setGeometry(kButtonsLeft, kGridTop + 26, 40, 22);
    KV_UT_Palette_Save = makeSpeedButton(
        this, QStringLiteral("KV_UT_Palette_Save"), QString(),
        QStringLiteral(
            "Save Palette [*.Pal] within 'Palette Image' to disk - ALWAYS specify the extension when saving "
            "the file. Example-: 'C:\\Palette.PAL'"),
        3);
    KV_UT_Palette_Save->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    KV_UT_Palette_Save->setGeometry(kButtonsLeft, kGridTop + 52, 40, 22);
    KV_UT_Palette_Recalc = makeSpeedButton(
        this, QStringLiteral("KV_UT_Palette_Recalc"), QStringLiteral("Calc"),
        QStringLiteral(
            "Force Update of Map Image - Use if you have loaded a new 'Palette Image' to force 'Map Image' "
            "to 'Palette Image' palette"),
        4);
    KV_UT_Palette_Recalc->setGeometry(kButtonsLeft, kGridTop + 78, 40, 22);

    KV_UT_Palette_Grid = new PaletteGrid(this);
    KV_UT_Palette_Grid->setObjectName(QStringLiteral("KV_UT_Palette_Grid"));
    KV_UT_Palette_Grid->setToolTip(QStringLiteral(
        "Drag and Drop any Image with a palette onto grid to see Palette [ Right Click to Edit Cell ] - "
        "Drop Any Image onto Map Image to Map to Palette Image"));
    KV_UT_Palette_Grid->move(kGridLeft, kGridTop);

    KV_UT_Palette_Image = makePicture(this, QStringLiteral("KV_UT_Palette_Image"), kPaletteImageRect);
    KV_UT_Palette_To8 = makeCheckBox(
        this, QStringLiteral("KV_UT_Palette_To8"), QStringLiteral("To 8 Bit"),
        QStringLiteral("Convert Map Image on Drop to 8 Bit [x] or to Palette Image Depth"), true);
    KV_UT_Palette_To8->setGeometry(kMapImageRect.left(), kMapImageRect.bottom() + 6, 100, 18);
    KV_UT_Palette_DR =
        makeCheckBox(this, QStringLiteral("KV_UT_Palette_DR"), QStringLiteral("Dither"),
                     QStringLiteral("Check Option to Dither Map Image to Palette Image on Drop"), false);
    KV_UT_Palette_DR->setGeometry(kMapImageRect.left(), kMapImageRect.bottom() + 26, 100, 18);
    KV_UT_Palette_MapImage = makePicture(this, QStringLiteral("KV_UT_Palette_MapImage"), kMapImageRect);
    KV_UT_Palette_Palette = makePicture(this, QStringLiteral("KV_UT_Palette_Palette"), QRect(0, 0, 16, 16));
    KV_UT_Palette_Palette->hide();

    KV_UT_Palette_Label1 =
        makeLabel(this, QStringLiteral("Palette [ Index = 0 ] "), QStringLiteral("KV_UT_Palette_Label1"));
    KV_UT_Palette_Label1->setGeometry(kGridLeft, 1, PaletteGrid::kExtent, 15);
    makeLabel(this, QStringLiteral("Palette Image:- "))->setGeometry(kPaletteImageRect.left(), 1, 146, 15);
    KV_UT_Palette_Label3 =
        makeLabel(this, QStringLiteral("X/Y Index  = 0  "), QStringLiteral("KV_UT_Palette_Label3"));
    KV_UT_Palette_Label3->setGeometry(kPaletteImageRect.left(), kPaletteImageRect.bottom() + 6, 146, 15);
    makeLabel(this, QStringLiteral("Map Image:- "))->setGeometry(kMapImageRect.left(), 1, 150, 15);
}

void PalettePage::readSettings(const IniFile& ini)
{
    KV_UT_Palette_DR->setChecked(ini.ReadBool(kSection, "Dither", false));
    KV_UT_Palette_To8->setChecked(ini.ReadBool(kSection, "To8", true));
}

void PalettePage::writeSettings(IniFile& ini) const
{
    ini.WriteBool(kSection, "Dither", KV_UT_Palette_DR->isChecked());
    ini.WriteBool(kSection, "To8", KV_UT_Palette_To8->isChecked());
}

} // namespace vask
