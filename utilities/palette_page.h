#pragma once

#include <QColor>
#include <QWidget>

#include <vector>

class QCheckBox;
class QLabel;
class QToolButton;

namespace vask {

class IniFile;
class TPicbuf;

// The 16 x 16 palette grid: cell (row, column) shows entry row x 16 + column of the palette
// table, black where the table has no entry. Cells are 11 x 11 pixels with one-pixel grid
// lines between them, inside a two-pixel sunken border.
class PaletteGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCells = 16;
    static constexpr int kCellSize = 11;
    static constexpr int kLine = 1;
    static constexpr int kBorder = 2;
    static constexpr int kPitch = kCellSize + kLine;
    static constexpr int kExtent = 2 * kBorder + kCells * kPitch;

    explicit PaletteGrid(QWidget* parent = nullptr);

    void setPaletteTable(std::vector<QColor> table);
    const std::vector<QColor>& paletteTable() const { return m_table; }
    QColor cellColour(int index) const;
    QRect cellRect(int row, int column) const;
    // The cell under a point of the grid as row x 16 + column; a point on a grid line belongs
    // to the cell before it, a point outside to the nearest cell.
    int cellIndexAt(int x, int y) const;

signals:
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::vector<QColor> m_table;
};

// The "Palette" sheet: the palette grid of the palette image, the map image that is mapped
// onto that palette, and the palette file buttons.
class PalettePage : public QWidget {
    Q_OBJECT
public:
    explicit PalettePage(QWidget* parent = nullptr);

    // Section Palettes: Dither and To8 (PPath belongs to the window's load dialog).
    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

    QToolButton* KV_UT_Palette_MappedDrag = nullptr;
    QToolButton* KV_UT_Palette_Load = nullptr;
    QToolButton* KV_UT_Palette_Save = nullptr;
    QToolButton* KV_UT_Palette_Recalc = nullptr;
    PaletteGrid* KV_UT_Palette_Grid = nullptr;
    TPicbuf* KV_UT_Palette_Image = nullptr;
    QCheckBox* KV_UT_Palette_To8 = nullptr;
    QCheckBox* KV_UT_Palette_DR = nullptr;
    TPicbuf* KV_UT_Palette_MapImage = nullptr;
    // Reads palette files; never shown.
    TPicbuf* KV_UT_Palette_Palette = nullptr;

    // "Palette [ Index = n ] " for the cell under the pointer.
    QLabel* KV_UT_Palette_Label1 = nullptr;
    // "X/Y Index = n" for the palette image pixel under the pointer.
    QLabel* KV_UT_Palette_Label3 = nullptr;
};

} // namespace vask
