#include "utilities/matrix3_page.h"

#include "controls/form_widgets.h"
#include "utilities/page_controls.h"

#include <QToolButton>

namespace vask {

namespace {

constexpr int kRange = 1000;
// Cells of 58 x 22 pixels on a 62 x 26 pitch; the scale, norm and offset column to the right.
constexpr int kGridLeft = 8;
constexpr int kGridTop = 10;
constexpr int kCellWidth = 58;
constexpr int kCellHeight = 22;
constexpr int kPitchX = 62;
constexpr int kPitchY = 26;
constexpr int kFactorLeft = 212;

} // namespace

SpinEdit* Matrix3Page::*const Matrix3Page::kCells[kSize * kSize] = {
    &Matrix3Page::KV_UT_Filters_m300, &Matrix3Page::KV_UT_Filters_m301, &Matrix3Page::KV_UT_Filters_m302,
    &Matrix3Page::KV_UT_Filters_m310, &Matrix3Page::KV_UT_Filters_m311, &Matrix3Page::KV_UT_Filters_m312,
    &Matrix3Page::KV_UT_Filters_m320, &Matrix3Page::KV_UT_Filters_m321, &Matrix3Page::KV_UT_Filters_m322,
};

Matrix3Page::Matrix3Page(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("KV_UT_Filters_Matrix3"));

    const int buttonTop = kGridTop + kSize * kPitchY + 12;
    KV_UT_Filters_Preview3 =
        makeSpeedButton(this, QStringLiteral("KV_UT_Filters_Preview3"), QStringLiteral("Preview"),
                        QStringLiteral("Apply 3*3 Filter to Preview Image"), 7);
    KV_UT_Filters_Preview3->setGeometry(kGridLeft, buttonTop, 58, 22);
    KV_UT_Filters_Save3 = makeSpeedButton(this, QStringLiteral("KV_UT_Filters_Save3"), QStringLiteral("Save"),
                                          QStringLiteral("Save Filter to Disk"), 6);
    KV_UT_Filters_Save3->setGeometry(kGridLeft + kPitchX, buttonTop, 58, 22);
    KV_UT_Filters_Load3 = makeSpeedButton(this, QStringLiteral("KV_UT_Filters_Load3"), QStringLiteral("Open"),
                                          QStringLiteral("Load a Matrix Filter from Disk"), 5);
    KV_UT_Filters_Load3->setGeometry(kGridLeft + 2 * kPitchX, buttonTop, 58, 22);

    KV_UT_Filters_3Offset = new SpinEdit(this, QStringLiteral("KV_UT_Filters_3Offset"), -kRange, kRange, 1);
    KV_UT_Filters_3Offset->setGeometry(kFactorLeft + 56, kGridTop + 2 * kPitchY, 64, kCellHeight);
    KV_UT_Filters_3Scale = new SpinEdit(this, QStringLiteral("KV_UT_Filters_3Scale"), -kRange, kRange, 1);
    KV_UT_Filters_3Scale->setGeometry(kFactorLeft + 56, kGridTop, 64, kCellHeight);
    KV_UT_Filters_3Norm = new SpinEdit(this, QStringLiteral("KV_UT_Filters_3Norm"), -kRange, kRange, -1);
    KV_UT_Filters_3Norm->setGeometry(kFactorLeft + 56, kGridTop + kPitchY, 64, kCellHeight);

    const std::vector<SpinEdit*> cells =
        makeKernelGrid(this, QStringLiteral("KV_UT_Filters_m3"), kSize, -kRange, kRange,
                       QRect(kGridLeft, kGridTop, kCellWidth, kCellHeight), QSize(kPitchX, kPitchY));
    for (std::size_t cell = 0; cell < cells.size(); ++cell)
        this->*kCells[cell] = cells[cell];

    makeLabel(this, QStringLiteral("Scale:- "))->setGeometry(kFactorLeft, kGridTop + 3, 54, 15);
    makeLabel(this, QStringLiteral("Norm:- "))->setGeometry(kFactorLeft, kGridTop + kPitchY + 3, 54, 15);
    makeLabel(this, QStringLiteral("Offset:- "))
        ->setGeometry(kFactorLeft, kGridTop + 2 * kPitchY + 3, 54, 15);
}

SpinEdit* Matrix3Page::kernelEdit(int row, int column) const
{
    if (row < 0 || row >= kSize || column < 0 || column >= kSize)
        return nullptr;
    return this->*kCells[row * kSize + column];
}

} // namespace vask
