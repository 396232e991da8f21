#pragma once

namespace vask {

// Creates every window of the program once, in the fixed order (main window, background,
// preferences, print preview, disk control dialog, utilities, full screen, drag selection),
// each reading its own settings as it is made, and shows the main and utilities windows.
// The program-wide state must have been cleared first (initialiseProgramState).
void createProgramWindows();

// Frees every window in reverse order; the registry is empty afterwards.
void destroyProgramWindows();

} // namespace vask
