#pragma once

#include <QStatusBar>

#include <array>

class QLabel;

namespace vask {

// The main window's five-panel status bar: spacer, pointer position, colour under the
// pointer, selection area and scale, mouse function or progress text.
class StatusPanelBar : public QStatusBar {
    Q_OBJECT
public:
    static constexpr int kPanelCount = 5;
    static constexpr int kHeight = 19;

    explicit StatusPanelBar(QWidget* parent = nullptr);

    QString panelText(int index) const;
    // An index outside 0..4 changes nothing.
    void setPanelText(int index, const QString& text);
    int panelWidth(int index) const;

private:
    std::array<QLabel*, kPanelCount> m_panels{};
};

} // namespace vask
