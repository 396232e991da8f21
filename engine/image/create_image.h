#pragma once

#include "engine/image/image.h"

namespace vask {

// A new picture of the depth and size filled with one colour. Below 24 bits the palette is
// the grey ramp; a fill colour that is not on it becomes palette entry 0.
Image createImage(int depth, int width, int height, Rgb fill);

} // namespace vask
