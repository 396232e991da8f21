// What the sheets do under the mouse: the palette grid's cells, the histogram's floating panel,
// the mask sheet's blend switch and the gradient's vertical pointer.
#include "controls/histogram_chart.h"
#include "controls/lead_ctrl.h"
#include "controls/picbuf.h"
#include "sheet_checks.h"
#include "utilities/gradient_blends_page.h"
#include "utilities/histogram_page.h"
#include "utilities/mask_images_page.h"
#include "utilities/palette_page.h"

#include <QCheckBox>
#include <QFrame>
#include <QMouseEvent>
#include <QSignalSpy>

using namespace vask;

namespace {

// Entry i of the table: a colour no other entry has.
std::vector<QColor> distinctTable(int entries)
{
    std::vector<QColor> table;
    for (int index = 0; index < entries; ++index)
        table.emplace_back(index, 255 - index, (index * 7) % 256);
    return table;
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint point, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(point), QPointF(target->mapToGlobal(point)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

} // namespace

TEST(PaletteGrid, PaintsEachCellInItsTableColourAndBlackWhereTheTableEnds)
{
    PaletteGrid grid;
    grid.setPaletteTable(distinctTable(200));
    const QImage shown = grid.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(PaletteGrid::kExtent, PaletteGrid::kExtent));
    for (int row = 0; row < 16; ++row) {
        for (int column = 0; column < 16; ++column) {
            const int index = row * 16 + column;
            const QRect cell = grid.cellRect(row, column);
            EXPECT_EQ(cell.size(), QSize(11, 11));
            const QColor expected =
                index < 200 ? QColor(index, 255 - index, (index * 7) % 256) : QColor(Qt::black);
            // All four corners and the centre of the cell carry its colour.
            for (const QPoint point :
                 {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight(), cell.center()})
                ASSERT_EQ(shown.pixelColor(point), expected) << "cell " << index;
        }
    }
}

TEST(PaletteGrid, PointUnderTheMouseNamesTheCellDrawnThere)
{
    PaletteGrid grid;
    const struct {
        int row;
        int column;
    } cells[] = {{0, 0}, {2, 3}, {15, 15}, {7, 12}};
    for (const auto& cell : cells) {
        const QRect area = grid.cellRect(cell.row, cell.column);
        for (const QPoint point : {area.topLeft(), area.bottomRight(), area.center()})
            EXPECT_EQ(grid.cellIndexAt(point.x(), point.y()), cell.row * 16 + cell.column);
    }
    // Outside the cells: the nearest one.
    EXPECT_EQ(grid.cellIndexAt(-5, -5), 0);
    EXPECT_EQ(grid.cellIndexAt(1000, 1000), 255);
}

TEST(PaletteGrid, MouseDownReportsButtonAndPoint)
{
    PaletteGrid grid;
    QSignalSpy presses(&grid, &PaletteGrid::MouseDown);
    const QPoint point = grid.cellRect(2, 3).center();
    QTest::mousePress(&grid, Qt::RightButton, Qt::NoModifier, point);
    QTest::mouseRelease(&grid, Qt::RightButton, Qt::NoModifier, point);
    ASSERT_EQ(presses.count(), 1);
    EXPECT_EQ(presses.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(grid.cellIndexAt(presses.at(0).at(2).toInt(), presses.at(0).at(3).toInt()), 35);
}

TEST(HistogramPage, FloaterCarriesItsControlsByTheDistanceDraggedWithTheLeftButton)
{
    HistogramPage page;
    page.resize(560, 236);
    QFrame* floater = page.KV_UT_Histogram_Floater;
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             page.KV_UT_Histogram_Eqalise, page.KV_UT_Histogram_Enabledrag, page.KV_UT_Histogram_Image,
             page.KV_UT_Histogram_Channels, page.KV_UT_Histogram_Scale})
        EXPECT_TRUE(floater->isAncestorOf(control)) << control->objectName().toStdString();
    EXPECT_FALSE(floater->isAncestorOf(page.KV_UT_Histogram_Chart));

    const QPoint start = floater->pos();
    // A point of the panel's own background, between its controls.
    const QPoint grip(floater->width() - 3, 3);
    ASSERT_EQ(floater->childAt(grip), nullptr);
    QTest::mousePress(floater, Qt::LeftButton, Qt::NoModifier, grip);
    QTest::mouseMove(floater, grip + QPoint(-30, 12));
    EXPECT_EQ(floater->pos(), start + QPoint(-30, 12));
    // The remembered point is under the pointer again, so the next step adds to the first.
    QTest::mouseMove(floater, grip + QPoint(-5, -2));
    EXPECT_EQ(floater->pos(), start + QPoint(-35, 10));
    QTest::mouseRelease(floater, Qt::LeftButton, Qt::NoModifier, grip + QPoint(-5, -2));
}

TEST(HistogramPage, FloaterStaysWhenTheMouseMovesWithoutTheLeftButton)
{
    HistogramPage page;
    QFrame* floater = page.KV_UT_Histogram_Floater;
    const QPoint start = floater->pos();
    const QPoint grip(floater->width() - 3, 3);
    sendMouse(floater, QEvent::MouseButtonPress, grip, Qt::RightButton, Qt::RightButton);
    sendMouse(floater, QEvent::MouseMove, grip + QPoint(20, 20), Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(floater->pos(), start);
    sendMouse(floater, QEvent::MouseMove, grip + QPoint(20, 20), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(floater->pos(), start);
}

TEST(MaskImagesPage, BlendOnDropSwapsTheMaskPictureForTheRatioEditAndBack)
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

TEST(GradientBlendsPage, VerticalPointerRunsFromTheTopRowOfTheMaskDownwards)
{
    GradientBlendsPage page;
    QSlider* pointer = page.KV_UT_Mask_Special_VTrack;
    QTest::mouseClick(pointer, Qt::LeftButton, Qt::NoModifier, QPoint(pointer->width() / 2, 3));
    EXPECT_LT(pointer->value(), 50) << "a click near the top moves toward the minimum";
    pointer->setValue(50);
    QTest::mouseClick(pointer, Qt::LeftButton, Qt::NoModifier,
                      QPoint(pointer->width() / 2, pointer->height() - 4));
    EXPECT_GT(pointer->value(), 50);
}
