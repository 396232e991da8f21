#pragma once

#include <QIcon>

namespace vask {

// The picture on a tool palette button, drawn at run time (24 x 24), by the button's place
// from the left (0..17).
QIcon paletteGlyph(int position);

} // namespace vask
