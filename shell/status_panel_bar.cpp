#include "shell/status_panel_bar.h"

#include <QLabel>

namespace vask {

namespace {

// A panel keeps its width while there is room and gives way when the frame is narrower
// than the five panels together, as the status bar's panels always did.
class PanelLabel : public QLabel {
public:
    PanelLabel(const QString& text, int width, QWidget* parent) : QLabel(text, parent), m_width(width)
    {
        setMinimumWidth(1);
        setMaximumWidth(width);
    }
    QSize sizeHint() const override { return QSize(m_width, QLabel::sizeHint().height()); }
    QSize minimumSizeHint() const override { return QSize(1, QLabel::minimumSizeHint().height()); }

private:
    int m_width;
};

constexpr int kPanelWidths[StatusPanelBar::kPanelCount] = {1, 170, 150, 250, 150};
const char* const kInitialTexts[StatusPanelBar::kPanelCount] = {"", "X: 0 Y: 0", "R: 0 G: 0 B: 0",
                                                                " [ T:0 L:0 W:0 H:0 ]", "No Function"};
} // namespace

StatusPanelBar::StatusPanelBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("KV_MF_Statuspanel"));
    setFixedHeight(kHeight);
    setSizeGripEnabled(false);
    setToolTip(QStringLiteral("Mouse X/Y | RGB | Selection Area | Mouse Function"));
    for (int index = 0; index < kPanelCount; ++index) {
        auto* panel = new PanelLabel(QString::fromLatin1(kInitialTexts[index]), kPanelWidths[index], this);
        panel->setObjectName(QStringLiteral("KV_MF_Statuspanel_%1").arg(index));
        // The spacer has no bevel; the others are sunken like the original panels.
        panel->setFrameShape(index == 0 ? QFrame::NoFrame : QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        addWidget(panel);
        m_panels[static_cast<std::size_t>(index)] = panel;
    }
}

QString StatusPanelBar::panelText(int index) const
{
    if (index < 0 || index >= kPanelCount)
        return {};
    return m_panels[static_cast<std::size_t>(index)]->text();
}

void StatusPanelBar::setPanelText(int index, const QString& text)
{
    if (index < 0 || index >= kPanelCount)
        return;
    m_panels[static_cast<std::size_t>(index)]->setText(text);
}

int StatusPanelBar::panelWidth(int index) const
{
    return index >= 0 && index < kPanelCount ? kPanelWidths[index] : 0;
}

} // namespace vask
