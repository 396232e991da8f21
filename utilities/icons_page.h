#pragma once

#include <QWidget>

class QTableWidget;

namespace vask {

// The "Icons" sheet: the grid the icon extractor fills, four columns of 132 x 64 pixel cells
// on an aqua ground. Four rows do not fit the sheet's height, so the grid scrolls.
class IconsPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColumns = 4;
    static constexpr int kRows = 4;
    static constexpr int kCellWidth = 132;
    static constexpr int kCellHeight = 64;

    explicit IconsPage(QWidget* parent = nullptr);

    QTableWidget* KV_UT_Icon_Grid = nullptr;
};

} // namespace vask
