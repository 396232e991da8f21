#include "shell/program_state.h"

#include <QApplication>
#include <QStyle>

namespace vask {

ProgramState& programState()
{
    static ProgramState state;
    return state;
}

void initialiseProgramState()
{
    ProgramState& state = programState();
    state = ProgramState{};
    // Qt has no sizing-frame metric of its own; the style's frame width and title bar height
    // stand in for the Windows values where a style is available.
    if (QApplication::instance() != nullptr && QApplication::style() != nullptr) {
        QStyle* style = QApplication::style();
        state.frameMetrics.frameWidth = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
        state.frameMetrics.frameHeight = state.frameMetrics.frameWidth;
        state.frameMetrics.captionHeight = style->pixelMetric(QStyle::PM_TitleBarHeight);
        state.frameMetrics.menuHeight = style->pixelMetric(QStyle::PM_MenuBarItemSpacing) + 20;
    }
}

} // namespace vask
