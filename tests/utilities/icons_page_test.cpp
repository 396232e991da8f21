#include "utilities/icons_page.h"

#include "sheet_checks.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

using namespace vask::sheet_checks;
using vask::IconsPage;

TEST(IconsPage, GridHasFourByFourCellsOf132By64OnAqua)
{
    IconsPage page;
    EXPECT_EQ(page.objectName(), "KV_UT_Options_Icons");
    const auto* grid = page.findChild<QTableWidget*>("KV_UT_Icon_Grid");
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->toolTip(), "Use File Open 'Icon Extractor' or  Right Mouse Click to Save Selected Icon");
    ASSERT_EQ(grid->columnCount(), 4);
    ASSERT_EQ(grid->rowCount(), 4);
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(grid->columnWidth(index), 132);
        EXPECT_EQ(grid->rowHeight(index), 64);
    }
    EXPECT_TRUE(grid->horizontalHeader()->isHidden());
    EXPECT_TRUE(grid->verticalHeader()->isHidden());
    EXPECT_EQ(grid->palette().color(QPalette::Base), QColor(0, 255, 255));
}

TEST(IconsPage, AllFourColumnsShowAndTheRowsScrollInsideTheSheet)
{
    IconsPage page;
    ASSERT_TRUE(showAsSheet(page, kSheet));
    expectTidyLayout(page, kSheet);
    QTableWidget* grid = page.KV_UT_Icon_Grid;
    EXPECT_GE(grid->viewport()->width(), 4 * 132);
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    EXPECT_LT(grid->viewport()->height(), 4 * 64);
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    // The painted cell (row 0, column 1) starts 132 pixels in, on the aqua ground.
    const QImage shown = grid->viewport()->grab().toImage();
    const QRect cell = grid->visualRect(grid->model()->index(0, 1));
    EXPECT_EQ(cell.left(), 132);
    EXPECT_EQ(shown.pixelColor(cell.center()), QColor(0, 255, 255));
}
