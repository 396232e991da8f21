#pragma once

#include "engine/image/image.h"

namespace vask {

// Blends source into destination through a grey mask:
//   result = destination + (source - destination) x maskGrey / 255,
// so white lets the source through and black keeps the destination. The destination is made
// 24-bit; the source and the mask are scaled to the destination's size when they differ.
// Runs on all cores.
void maskImages(Image& destination, const Image& source, const Image& mask);

} // namespace vask
