#include "utilities/matrix5_page.h"

#include "controls/form_widgets.h"
#include "utilities/page_controls.h"

#include <QToolButton>

namespace vask {

namespace {

// Cells of 54 x 22 pixels on a 58 x 26 pitch; scale, norm and offset in a column to the right,
// each under its label.
constexpr int kGridLeft = 8;
constexpr int kGridTop = 10;
constexpr int kCellWidth = 54;
constexpr int kCellHeight = 22;
constexpr int kPitchX = 58;
constexpr int kPitchY = 26;
constexpr int kFactorLeft = kGridLeft + Matrix5Page::kSize * kPitchX + 8;
constexpr int kFactorWidth = 70;

} // namespace

SpinEdit* Matrix5Page::*const Matrix5Page::kCells[kSize * kSize] = {
    &Matrix5Page::KV_UT_Filters_m500, &Matrix5Page::KV_UT_Filters_m501, &Matrix5Page::KV_UT_Filters_m502,
    &Matrix5Page::KV_UT_Filters_m503, &Matrix5Page::KV_UT_Filters_m504, &Matrix5Page::KV_UT_Filters_m510,
    &Matrix5Page::KV_UT_Filters_m511, &Matrix5Page::KV_UT_Filters_m512, &Matrix5Page::KV_UT_Filters_m513,
    &Matrix5Page::KV_UT_Filters_m514, &Matrix5Page::KV_UT_Filters_m520, &Matrix5Page::KV_UT_Filters_m521,
    &Matrix5Page::KV_UT_Filters_m522, &Matrix5Page::KV_UT_Filters_m523, &Matrix5Page::KV_UT_Filters_m524,
    &Matrix5Page::KV_UT_Filters_m530, &Matrix5Page::KV_UT_Filters_m531, &Matrix5Page::KV_UT_Filters_m532,
    &Matrix5Page::KV_UT_Filters_m533, &Matrix5Page::KV_UT_Filters_m534, &Matrix5Page::KV_UT_Filters_m540,
    &Matrix5Page::KV_UT_Filters_m541, &Matrix5Page::KV_UT_Filters_m542, &Matrix5Page::KV_UT_Filters_m543,
    &Matrix5Page::KV_UT_Filters_m544,
};

Matrix5Page::Matrix5Page(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Filters_Matrix5"));

    const int buttonTop = kGridTop + kSize * kPitchY + 8;
    KV_UT_Filters_Load5 = makeSpeedButton(this, QStringLiteral("KV_UT_Filters_Load5"), QStringLiteral("Open"),
                                          QStringLiteral("Load a Matrix Filter from Disk"), 9);
    KV_UT_Filters_Load5->setGeometry(kGridLeft + 2 * kPitchX, buttonTop, kCellWidth, 22);
    KV_UT_Filters_Save5 = makeSpeedButton(this, QStringLiteral("KV_UT_Filters_Save5"), QStringLiteral("Save"),
                                          QStringLiteral("Save Filter to Disk"), 10);
    KV_UT_Filters_Save5->setGeometry(kGridLeft + kPitchX, buttonTop, kCellWidth, 22);
    KV_UT_Filters_Preview5 =
        makeSpeedButton(this, QStringLiteral("KV_UT_Filters_Preview5"), QStringLiteral("Preview"),
                        QStringLiteral("Apply 5*5 Filter to Preview Image"), 11);
    KV_UT_Filters_Preview5->setGeometry(kGridLeft, buttonTop, kCellWidth, 22);

    KV_UT_Filters_5Scale = new SpinEdit(this, QStringLiteral("KV_UT_Filters_5Scale"), 0, 0, 1);
    KV_UT_Filters_5Scale->setGeometry(kFactorLeft, kGridTop + 16, kFactorWidth, kCellHeight);
    KV_UT_Filters_5Norm = new SpinEdit(this, QStringLiteral("KV_UT_Filters_5Norm"), 0, 0, -1);
    KV_UT_Filters_5Norm->setGeometry(kFactorLeft, kGridTop + 58, kFactorWidth, kCellHeight);
    KV_UT_Filters_5Offset = new SpinEdit(this, QStringLiteral("KV_UT_Filters_5Offset"), 0, 0, 1);
    KV_UT_Filters_5Offset->setGeometry(kFactorLeft, kGridTop + 100, kFactorWidth, kCellHeight);

    const std::vector<SpinEdit*> cells =
        makeKernelGrid(this, QStringLiteral("KV_UT_Filters_m5"), kSize, 0, 0,
                       QRect(kGridLeft, kGridTop, kCellWidth, kCellHeight), QSize(kPitchX, kPitchY));
    for (std::size_t cell = 0; cell < cells.size(); ++cell)
        this->*kCells[cell] = cells[cell];

    makeLabel(this, QStringLiteral("Scale:- "))->setGeometry(kFactorLeft, kGridTop, kFactorWidth, 15);
    makeLabel(this, QStringLiteral("Norm:- "))->setGeometry(kFactorLeft, kGridTop + 42, kFactorWidth, 15);
    makeLabel(this, QStringLiteral("Offset:- "))->setGeometry(kFactorLeft, kGridTop + 84, kFactorWidth, 15);
}

SpinEdit* Matrix5Page::kernelEdit(int row, int column) const
{
    if (row < 0 || row >= kSize || column < 0 || column >= kSize)
        return nullptr;
    return this->*kCells[row * kSize + column];
}

} // namespace vask
