#pragma once

#include <QWidget>

class QToolButton;

namespace vask {

class SpinEdit;

// The "5*5 Matrix" sheet of the Filters page: the 5 x 5 kernel editor with its scale, norm
// and offset, and the buttons that open, save and preview a kernel. Its edits have no range
// limit.
class Matrix5Page : public QWidget {
    Q_OBJECT
public:
    static constexpr int kSize = 5;

    explicit Matrix5Page(QWidget* parent = nullptr);

    // The kernel edit of row and column 0..4 (KV_UT_Filters_m5<row><column>).
    SpinEdit* kernelEdit(int row, int column) const;

    QToolButton* KV_UT_Filters_Load5 = nullptr;
    QToolButton* KV_UT_Filters_Save5 = nullptr;
    QToolButton* KV_UT_Filters_Preview5 = nullptr;
    SpinEdit* KV_UT_Filters_5Scale = nullptr;
    SpinEdit* KV_UT_Filters_5Norm = nullptr;
    SpinEdit* KV_UT_Filters_5Offset = nullptr;
    SpinEdit* KV_UT_Filters_m500 = nullptr;
    SpinEdit* KV_UT_Filters_m501 = nullptr;
    SpinEdit* KV_UT_Filters_m502 = nullptr;
    SpinEdit* KV_UT_Filters_m503 = nullptr;
    SpinEdit* KV_UT_Filters_m504 = nullptr;
    SpinEdit* KV_UT_Filters_m510 = nullptr;
    SpinEdit* KV_UT_Filters_m511 = nullptr;
    SpinEdit* KV_UT_Filters_m512 = nullptr;
    SpinEdit* KV_UT_Filters_m513 = nullptr;
    SpinEdit* KV_UT_Filters_m514 = nullptr;
    SpinEdit* KV_UT_Filters_m520 = nullptr;
    SpinEdit* KV_UT_Filters_m521 = nullptr;
    SpinEdit* KV_UT_Filters_m522 = nullptr;
    SpinEdit* KV_UT_Filters_m523 = nullptr;
    SpinEdit* KV_UT_Filters_m524 = nullptr;
    SpinEdit* KV_UT_Filters_m530 = nullptr;
    SpinEdit* KV_UT_Filters_m531 = nullptr;
    SpinEdit* KV_UT_Filters_m532 = nullptr;
    SpinEdit* KV_UT_Filters_m533 = nullptr;
    SpinEdit* KV_UT_Filters_m534 = nullptr;
    SpinEdit* KV_UT_Filters_m540 = nullptr;
    SpinEdit* KV_UT_Filters_m541 = nullptr;
    SpinEdit* KV_UT_Filters_m542 = nullptr;
    SpinEdit* KV_UT_Filters_m543 = nullptr;
    SpinEdit* KV_UT_Filters_m544 = nullptr;

private:
    static SpinEdit* Matrix5Page::*const kCells[kSize * kSize];
};

} // namespace vask
