#pragma once

#include <QDockWidget>
#include <QRect>

#include <vector>

class QToolButton;

namespace vask {

class IniFile;

// Where the tool palette is, as its settings keep it.
enum class PaletteDock { Floating = 0, Top = 1, Bottom = 2, Left = 3, Right = 4 };

// The floating position read from the settings, kept on the screen: left and top are clamped
// to 0 .. screen size minus the floating size.
QRect clampedFloatGeometry(const QRect& stored, const QSize& screenSize);

// The main window's dockable tool palette "Tools": a row of 40 x 32 buttons that docks at any
// edge of the frame or floats as a small captioned tool window (a double click on its caption
// docks it again), and keeps its place in the section named after it.
//
// The palette's buttons, placed every 39 pixels from 4 along the row (or down the column when
// docked at a side). A frame narrower than the row simply clips it.
class ButtonRow : public QWidget {
    Q_OBJECT
public:
    explicit ButtonRow(QWidget* parent);
    void addButton(QToolButton* button);
    void setVertical(bool vertical);
    bool isVertical() const { return m_vertical; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    void layoutButtons();

    std::vector<QToolButton*> m_buttons;
    bool m_vertical = false;
};

// A dock widget rather than a tool bar: Qt cannot float a tool bar from code, and the palette
// must come back floating where it was left.
class ToolPalette : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kButtonWidth = 40;
    static constexpr int kButtonHeight = 32;
    static constexpr int kDockedThickness = 38;

    explicit ToolPalette(QMainWindow* frame);

    QToolButton* addButton(const QString& name, const QString& hint, int tag);
    int buttonCount() const;

    PaletteDock dockPosition() const;
    void dockAt(PaletteDock dock);
    // The floating place as read from the settings or last given.
    QRect floatGeometry() const { return m_floatGeometry; }
    void floatAt(const QRect& geometry);

    // Section KV_Top_Tool_Palette: FloatLeft, FloatTop, FloatWidth, FloatHeight, Dock; each
    // read with the palette's current value as its default.
    void readSettings(const IniFile& ini);
    void writeSettings(IniFile& ini) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void applyFloatGeometry();
    void fitToButtons();
    void followOrientation();

    QMainWindow* m_frame = nullptr;
    ButtonRow* m_bar = nullptr;
    QWidget* m_grip = nullptr;
    QRect m_floatGeometry;
    Qt::DockWidgetArea m_area = Qt::TopDockWidgetArea;
    int m_buttonCount = 0;
};

} // namespace vask
