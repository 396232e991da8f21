#pragma once

#include "engine/image/image.h"

namespace vask {

// Flips the picture left to right (horizontal), top to bottom (vertical) or both, in place,
// any depth; size, depth and palette stay. Mirroring twice the same way restores the picture.
// Runs on all cores in bands of rows.
void mirrorImage(Image& image, bool horizontal, bool vertical);

} // namespace vask
