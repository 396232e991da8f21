#pragma once

namespace vask {

// The application's hints (tool tips), switched and timed as the preferences say.
constexpr int kHintWakeUpDelayMs = 10;
constexpr int kHintDisplayTimeMs = 10000;

// Off swallows every tool-tip request in the application; on lets them through. The switch
// is app-wide, through one event filter on the application object installed on first use.
void setFlyOverHintsEnabled(bool enabled);
bool flyOverHintsEnabled();

// Aqua hint background, 10 ms wake-up delay and 10000 ms display time. Qt has no
// application setting for either time: the wake-up delay is a style hint, answered by a
// proxy wrapped once around the application's style; the display time is each widget's
// toolTipDuration, given by the event filter to widgets that have not chosen their own.
void applyHintAppearance();

} // namespace vask
