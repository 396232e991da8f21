// Where the sheets' controls stand in the utilities window, as laid out at the window's size.
#include "controls/lead_ctrl.h"
#include "sheet_checks.h"
#include "utilities/cmyk_planes_page.h"
#include "utilities/enhance_page.h"
#include "utilities/filters_page.h"
#include "utilities/histogram_page.h"
#include "utilities/hls_planes_page.h"
#include "utilities/icons_page.h"
#include "utilities/mask_images_page.h"
#include "utilities/matrix3_page.h"
#include "utilities/matrix5_page.h"
#include "utilities/rgb_planes_page.h"

#include <QCheckBox>
#include <QFrame>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableWidget>

using namespace vask;
using namespace vask::sheet_checks;

namespace {

// kernelEdit(row, column) is the edit named so, and the edits stand in rows and columns on the
// screen; outside the grid it answers nothing.
template <class Page> void expectKernelGridOnScreen(const Page& page)
{
    constexpr int size = Page::kSize;
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            SCOPED_TRACE(std::to_string(row) + std::to_string(column));
            const SpinEdit* edit = page.kernelEdit(row, column);
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->objectName(),
                      QStringLiteral("KV_UT_Filters_m%1%2%3").arg(size).arg(row).arg(column));
            if (column > 0) {
                EXPECT_GT(edit->x(), page.kernelEdit(row, column - 1)->x());
                EXPECT_EQ(edit->y(), page.kernelEdit(row, column - 1)->y());
            }
            if (row > 0) {
                EXPECT_GT(edit->y(), page.kernelEdit(row - 1, column)->y());
            }
        }
    }
    EXPECT_EQ(page.kernelEdit(size, 0), nullptr);
    EXPECT_EQ(page.kernelEdit(0, -1), nullptr);
}

} // namespace

TEST(UtilitiesWindow, EveryControlOfEverySheetLiesInsideItsSheetClearOfTheOthers)
{
    removeSettingsFile();
    TKV_UTilities window;
    window.show();
    for (const QTabWidget* pages : window.findChildren<QTabWidget*>()) {
        for (int index = 0; index < pages->count(); ++index) {
            QWidget* sheet = pages->widget(index);
            SCOPED_TRACE(sheet->objectName().toStdString());
            showSheet(window, sheet);
            EXPECT_TRUE(
                QRect(0, 0, 565, 269).contains(QRect(sheet->mapTo(&window, QPoint(0, 0)), sheet->size())));
            expectTidyLayout(*sheet);
        }
    }
    expectTidyLayout(*window.histogramPage->KV_UT_Histogram_Floater);

    // With blending on, the ratio edit sits inside the raised bevel where the mask picture was.
    MaskImagesPage* mask = window.maskImagesPage;
    showSheet(window, mask);
    mask->KV_UT_Mask_Base_BlendOnDrop->click();
    expectTidyLayout(*mask);
    EXPECT_TRUE(mask->KV_UT_Mask_MaskBevel->geometry().contains(mask->KV_UT_Mask_BlendRatio->geometry()));
    window.hide();
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

// The slots' captions stand above their pictures, left to right in the order of the planes.
TEST(SeparationPages, EachCaptionStandsAboveItsPlane)
{
    const RgbPlanesPage rgb(nullptr);
    const CmykPlanesPage cmyk(nullptr);
    const HlsPlanesPage hls(nullptr);
    const std::vector<std::pair<const QWidget*, std::vector<const TLeadCtrl*>>> pages = {
        {&rgb, {rgb.KV_UT_RGB_Base, rgb.KV_UT_RGB_Red, rgb.KV_UT_RGB_Green, rgb.KV_UT_RGB_Blue}},
        {&cmyk,
         {cmyk.KV_UT_CMYK_Base, cmyk.KV_UT_CMYK_Cyan, cmyk.KV_UT_CMYK_Magenta, cmyk.KV_UT_CMYK_Yellow,
          cmyk.KV_UT_CMYK_K}},
        {&hls, {hls.KV_UT_HLS_Base, hls.KV_UT_HLS_H, hls.KV_UT_HLS_L, hls.KV_UT_HLS_S, hls.KV_UT_HLS_V}}};
    for (const auto& [page, planes] : pages) {
        const QList<QLabel*> labels = page->findChildren<QLabel*>();
        ASSERT_EQ(labels.size(), static_cast<qsizetype>(planes.size()));
        for (std::size_t slot = 0; slot < planes.size(); ++slot) {
            SCOPED_TRACE(planes[slot]->objectName().toStdString());
            const QLabel* caption = labels.at(static_cast<qsizetype>(slot));
            EXPECT_LT(caption->geometry().bottom(), planes[slot]->y());
            EXPECT_NEAR(caption->x(), planes[slot]->x(), 4);
        }
    }
}

TEST(MatrixPages, KernelEditsLieOnTheScreenInRowsAndColumnsOfTheirNames)
{
    expectKernelGridOnScreen(Matrix3Page());
    expectKernelGridOnScreen(Matrix5Page());
}

TEST(IconsPage, AllFourColumnsOf132By64CellsShowOnAquaAndTheRowsScroll)
{
    removeSettingsFile();
    TKV_UTilities window;
    window.show();
    showSheet(window, window.iconsPage);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window)) << "the grid places its scroll bars once shown";
    QTableWidget* grid = window.iconsPage->KV_UT_Icon_Grid;
    ASSERT_EQ(grid->columnCount(), 4);
    ASSERT_EQ(grid->rowCount(), 4);
    for (int index = 0; index < 4; ++index) {
        EXPECT_EQ(grid->columnWidth(index), 132);
        EXPECT_EQ(grid->rowHeight(index), 64);
    }
    EXPECT_TRUE(grid->horizontalHeader()->isHidden());
    EXPECT_TRUE(grid->verticalHeader()->isHidden());
    EXPECT_GE(grid->viewport()->width(), 4 * 132);
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    EXPECT_LT(grid->viewport()->height(), 4 * 64);
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
    // The painted cell (row 0, column 1) starts 132 pixels in, on the aqua ground.
    const QImage shown = grid->viewport()->grab().toImage();
    const QRect cell = grid->visualRect(grid->model()->index(0, 1));
    EXPECT_EQ(cell.left(), 132);
    EXPECT_EQ(shown.pixelColor(cell.center()), QColor(0, 255, 255));
    window.hide();
}
