#pragma once

#include <QRect>
#include <QString>

namespace vask {

class StatusPanelBar;
class TPicbuf;

inline constexpr int kProgressPanel = 4;

// Coordinates travel as 16-bit values between the windows and the picture control.
inline int asShort(int value)
{
    return static_cast<short>(value);
}

inline constexpr int kSelectionPanel = 3;
inline constexpr int kBusyCursor = 4;

// The name of a mouse function as panel 4 shows it; empty above 5.
QString mouseFunctionName(int function);

// Busy: the application cursor becomes the cursor at cursorIndex; off: the default cursor.
// Then waiting events run, so the cursor shows at once.
void SetBusy(bool on, int cursorIndex = kBusyCursor);
// Sets a panel's text and lets waiting events run so it is painted before the work starts.
void ShowProgress(const QString& text, StatusPanelBar* bar, int panel = kProgressPanel);
// The same on the main window's status bar.
void ShowProgress(const QString& text);
// Panel 4 := the function's name; a value above 5 changes nothing.
void ShowMouseFunction(int function, StatusPanelBar* bar, int panel = kProgressPanel);
void ShowMouseFunction(int function);
// The application cursor for a mouse function.
void SetMouseCursor(int function);
// Panels 1, 2 and 3 for the pointer at control position (x, y) over picture.
void ShowPointerStatus(const TPicbuf& picture, int x, int y);
// Orders the rectangle's corners, converts it to image pixels, stores it in SelectionArea,
// writes it to the picture's selection and to the panel.
void ShowSelectionStatus(TPicbuf& picture, QRect rectangleInControl, StatusPanelBar* bar,
                         int panel = kSelectionPanel);

// The progress convention in one object: busy cursor and the progress text when made;
// "No Function" and the default cursor when it goes out of scope, also after a fault.
class BusyGuard {
public:
    explicit BusyGuard(const QString& progressText);
    ~BusyGuard();
    BusyGuard(const BusyGuard&) = delete;
    BusyGuard& operator=(const BusyGuard&) = delete;
};

} // namespace vask
