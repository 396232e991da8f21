#include "shell/tool_palette.h"

#include "controls/component_tag.h"
#include "settings/ini_file.h"

#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QPainter>
#include <QScreen>
#include <QToolButton>

#include <algorithm>

namespace vask {

namespace {

const char* const kSection = "KV_Top_Tool_Palette";
constexpr int kFirstButtonOffset = 4;
constexpr int kButtonStride = 39;

// The docked palette's handle: a narrow ridged strip where a tool bar's grip would be.
class PaletteGrip : public QWidget {
public:
    explicit PaletteGrip(QWidget* parent) : QWidget(parent)
    {
        setFixedSize(8, 8);
        setCursor(Qt::SizeAllCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const bool vertical = height() > width();
        for (int line = 0; line < 2; ++line) {
            const int at = 2 + line * 3;
            painter.setPen(Qt::white);
            if (vertical)
                painter.drawLine(at, 3, at, height() - 4);
            else
                painter.drawLine(3, at, width() - 4, at);
            painter.setPen(Qt::gray);
            if (vertical)
                painter.drawLine(at + 1, 3, at + 1, height() - 4);
            else
                painter.drawLine(3, at + 1, width() - 4, at + 1);
        }
    }
    QSize sizeHint() const override { return QSize(8, 8); }
};

} // namespace

ButtonRow::ButtonRow(QWidget* parent) : QWidget(parent) {}

void ButtonRow::addButton(QToolButton* button)
{
    button->setParent(this);
    m_buttons.push_back(button);
    layoutButtons();
}

void ButtonRow::setVertical(bool vertical)
{
    m_vertical = vertical;
    layoutButtons();
}

QSize ButtonRow::sizeHint() const
{
    const int count = static_cast<int>(m_buttons.size());
    const int along = kFirstButtonOffset + std::max(count, 1) * kButtonStride + 1;
    const int across = ToolPalette::kButtonHeight + 4;
    return m_vertical ? QSize(ToolPalette::kButtonWidth + 4, along) : QSize(along, across);
}

QSize ButtonRow::minimumSizeHint() const
{
    return QSize(0, 0);
}

void ButtonRow::layoutButtons()
{
    // Buttons overlap by one pixel, every 39 pixels from 4, as the palette always had them.
    int at = kFirstButtonOffset;
    for (QToolButton* button : m_buttons) {
        if (m_vertical)
            button->move(2, at);
        else
            button->move(at, 2);
        at += kButtonStride;
    }
    updateGeometry();
}

QRect clampedFloatGeometry(const QRect& stored, const QSize& screenSize)
{
    const int left = std::clamp(stored.left(), 0, std::max(0, screenSize.width() - stored.width()));
    const int top = std::clamp(stored.top(), 0, std::max(0, screenSize.height() - stored.height()));
    return QRect(left, top, stored.width(), stored.height());
}

ToolPalette::ToolPalette(QMainWindow* frame) : QDockWidget(QStringLiteral("Tools"), frame), m_frame(frame)
{
    setObjectName(QStringLiteral("KV_Top_Tool_Palette"));
    setToolTip(QStringLiteral("Use Mouse to Drag and Dock Tool Palette to New Location"));
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    QFont captionFont = font();
    captionFont.setPixelSize(9);
    setFont(captionFont);

    m_bar = new ButtonRow(this);
    m_bar->setObjectName(QStringLiteral("KV_Top_Tool_Palette_Buttons"));
    setWidget(m_bar);
    m_grip = new PaletteGrip(this);

    frame->addDockWidget(Qt::TopDockWidgetArea, this);
    connect(this, &QDockWidget::dockLocationChanged, this, [this](Qt::DockWidgetArea area) {
        m_area = area;
        followOrientation();
    });
    connect(this, &QDockWidget::topLevelChanged, this, [this](bool) { followOrientation(); });
    followOrientation();
}

QToolButton* ToolPalette::addButton(const QString& name, const QString& hint, int tag)
{
    auto* button = new QToolButton(m_bar);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    setTag(button, tag);
    m_bar->addButton(button);
    ++m_buttonCount;
    fitToButtons();
    return button;
}

int ToolPalette::buttonCount() const
{
    return m_buttonCount;
}

PaletteDock ToolPalette::dockPosition() const
{
    if (isFloating())
        return PaletteDock::Floating;
    switch (m_area) {
    case Qt::BottomDockWidgetArea:
        return PaletteDock::Bottom;
    case Qt::LeftDockWidgetArea:
        return PaletteDock::Left;
    case Qt::RightDockWidgetArea:
        return PaletteDock::Right;
    default:
        return PaletteDock::Top;
    }
}

void ToolPalette::dockAt(PaletteDock dock)
{
    if (dock == PaletteDock::Floating) {
        floatAt(m_floatGeometry);
        return;
    }
    static const Qt::DockWidgetArea kAreas[] = {Qt::TopDockWidgetArea, Qt::TopDockWidgetArea,
                                                Qt::BottomDockWidgetArea, Qt::LeftDockWidgetArea,
                                                Qt::RightDockWidgetArea};
    m_area = kAreas[static_cast<int>(dock)];
    setFloating(false);
    m_frame->addDockWidget(m_area, this);
    followOrientation();
}

void ToolPalette::floatAt(const QRect& geometry)
{
    m_floatGeometry = geometry;
    setFloating(true);
    followOrientation();
    applyFloatGeometry();
}

void ToolPalette::applyFloatGeometry()
{
    if (m_floatGeometry.width() > 0 && m_floatGeometry.height() > 0)
        setGeometry(m_floatGeometry);
    else if (m_floatGeometry.topLeft() != QPoint())
        move(m_floatGeometry.topLeft());
}

void ToolPalette::showEvent(QShowEvent* event)
{
    QDockWidget::showEvent(event);
    // A floating palette made before the frame shows is placed when it first appears.
    if (isFloating())
        applyFloatGeometry();
}

void ToolPalette::readSettings(const IniFile& ini)
{
    QRect stored(ini.ReadInteger(kSection, "FloatLeft", m_floatGeometry.left()),
                 ini.ReadInteger(kSection, "FloatTop", m_floatGeometry.top()),
                 ini.ReadInteger(kSection, "FloatWidth", m_floatGeometry.width()),
                 ini.ReadInteger(kSection, "FloatHeight", m_floatGeometry.height()));
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr)
        stored = clampedFloatGeometry(stored, screen->geometry().size());
    m_floatGeometry = stored;
    const int dock = ini.ReadInteger(kSection, "Dock", static_cast<int>(dockPosition()));
    dockAt(dock >= 0 && dock <= 4 ? static_cast<PaletteDock>(dock) : PaletteDock::Top);
}

void ToolPalette::writeSettings(IniFile& ini) const
{
    // Where the user left a floating palette; the place it was given otherwise.
    const QRect floating = isFloating() && isVisible() ? geometry() : m_floatGeometry;
    ini.WriteInteger(kSection, "FloatLeft", floating.left());
    ini.WriteInteger(kSection, "FloatTop", floating.top());
    ini.WriteInteger(kSection, "FloatWidth", floating.width());
    ini.WriteInteger(kSection, "FloatHeight", floating.height());
    ini.WriteInteger(kSection, "Dock", static_cast<int>(dockPosition()));
}

void ToolPalette::followOrientation()
{
    const bool vertical =
        !isFloating() && (m_area == Qt::LeftDockWidgetArea || m_area == Qt::RightDockWidgetArea);
    m_bar->setVertical(vertical);
    // Docked, the palette shows only a grip (on the left along the top or bottom edge, on
    // top at the sides); floating, it has its caption "Tools", whose double click docks it.
    QDockWidget::DockWidgetFeatures features =
        QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable;
    if (!isFloating() && !vertical)
        features |= QDockWidget::DockWidgetVerticalTitleBar;
    setFeatures(features);
    setTitleBarWidget(isFloating() ? nullptr : m_grip);
    fitToButtons();
}

void ToolPalette::fitToButtons()
{
    const QSize row = m_bar->sizeHint();
    if (isFloating()) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else if (m_bar->isVertical()) {
        setFixedWidth(row.width() + 2);
        setMinimumHeight(0);
        setMaximumHeight(QWIDGETSIZE_MAX);
    } else {
        setFixedHeight(kDockedThickness);
        setMinimumWidth(0);
        setMaximumWidth(QWIDGETSIZE_MAX);
    }
}

} // namespace vask
