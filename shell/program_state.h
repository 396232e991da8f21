#pragma once

#include <cstdint>

namespace vask {

// The sizing-frame height and width, caption bar height and menu bar height, read once at
// start-up; the drop pipeline uses them to turn screen positions into client positions.
struct FrameMetrics {
    int frameHeight = 0;
    int frameWidth = 0;
    int captionHeight = 0;
    int menuHeight = 0;
};

// Top, left, width and height in image pixels of the last selection dragged on a picture.
struct SelectionArea {
    int top = 0;
    int left = 0;
    int width = 0;
    int height = 0;
};

// Mouse functions of the image windows, as kept in CurrentMouseFunction.
enum MouseFunction : std::uint8_t {
    kNoFunction = 0,
    kSelectionFunction = 1,
    kPanFunction = 2,
    kDynamicZoomFunction = 3,
    kDragDropFunction = 4,
    kDrawLinesFunction = 5,
};

// The program-wide state every window shares. There is one user-interface thread and no
// lock: handlers read and write these fields directly.
struct ProgramState {
    std::uint8_t CurrentMouseFunction = kNoFunction;
    // Set by the cancel button (and by closing an image window); a loop over dropped files
    // stops at its next file and clears it.
    std::uint8_t AbortRequested = 0;
    // Set while a drop is composed; every drag-over, drop and picture mouse handler returns
    // at once while it is set.
    std::uint8_t DropInProgress = 0;
    // Owned by the image slots, the depth functions and the drop pipeline.
    std::uint8_t SlotBusy = 0;
    std::uint8_t DepthBusy = 0;
    std::uint8_t PreviewFill = 0;
    // The automatic undo switch, set from the preferences.
    bool AutoUndo = true;
    // An undo picture or a marked picture was stored; cleared when a restore finds the slot
    // empty.
    bool UndoAvailable = false;
    bool MarkedAvailable = false;
    FrameMetrics frameMetrics;
    SelectionArea selectionArea;
};

ProgramState& programState();

// Clears the whole state and reads the frame metrics: the first step of start-up.
void initialiseProgramState();

} // namespace vask
