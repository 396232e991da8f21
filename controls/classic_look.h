#pragma once

#include <QColor>

class QWidget;

namespace vask {

// Silver, the background of every window and panel of the program (0xC0C0C0).
inline QColor silverColour() { return QColor(0xC0, 0xC0, 0xC0); }

// The program's window look: a silver background, Arial 11 pixels high (8 point at the 96
// dots per inch the layouts were made for) and disabled captions in the classic dark grey,
// because the style's light grey vanishes on silver.
void applyClassicLook(QWidget* window);

} // namespace vask
