#pragma once

#include "engine/image/image.h"

namespace vask {

// A 24-bit copy of any picture: palette pictures are looked up through their palette.
// Runs on all cores in bands of rows.
Image toTrueColour(const Image& image);

// Makes the picture 24-bit in place (no change when it already is).
void promoteToTrueColour(Image& image);

} // namespace vask
