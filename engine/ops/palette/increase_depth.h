#pragma once

#include "engine/image/image.h"

namespace vask {

// Raises the picture to depth (4, 8 or 24) without changing a colour: indices keep their
// palette entries (padded with black), 24 bits looks every pixel up. A depth at or below the
// current one changes nothing, as does a null picture. ImageError for a depth other than 1, 4,
// 8 or 24. 24 bits runs on all cores.
void increaseDepth(Image& image, int depth);

} // namespace vask
