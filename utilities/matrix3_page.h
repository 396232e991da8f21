#pragma once

#include <QWidget>

class QToolButton;

namespace vask {

class SpinEdit;

// The "3*3 Matrix" sheet of the Filters page: the 3 x 3 kernel editor with its scale, norm
// and offset, and the buttons that preview, save and open a kernel.
class Matrix3Page : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 3;

    explicit Matrix3Page(QWidget* parent = nullptr);

    // The kernel edit of row and column 0..2 (KV_UT_Filters_m3<row><column>).
    SpinEdit* kernelEdit(int row, int column) const;

    QToolButton* KV_UT_Filters_Preview3 = nullptr;
    QToolButton* KV_UT_Filters_Save3 = nullptr;
    QToolButton* KV_UT_Filters_Load3 = nullptr;
    SpinEdit* KV_UT_Filters_3Offset = nullptr;
    SpinEdit* KV_UT_Filters_3Scale = nullptr;
    SpinEdit* KV_UT_Filters_3Norm = nullptr;
    SpinEdit* KV_UT_Filters_m300 = nullptr;
    SpinEdit* KV_UT_Filters_m301 = nullptr;
    SpinEdit* KV_UT_Filters_m302 = nullptr;
    SpinEdit* KV_UT_Filters_m310 = nullptr;
    SpinEdit* KV_UT_Filters_m311 = nullptr;
    SpinEdit* KV_UT_Filters_m312 = nullptr;
    SpinEdit* KV_UT_Filters_m320 = nullptr;
    SpinEdit* KV_UT_Filters_m321 = nullptr;
    SpinEdit* KV_UT_Filters_m322 = nullptr;

private:
    static SpinEdit* Matrix3Page::*const kCells[kSize * kSize];
};

} // namespace vask
