#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// ZSoft PCX: reads and writes 1-bit, 4-bit (four planes), 8-bit (with the 256-colour palette
// at the end of the file) and 24-bit (three planes) pictures. writeDepth 0 writes the
// picture's own depth; 1, 4, 8 and 24 convert to that depth first; 16 and 32 (which the
// engine never holds) are written as 24-bit.
Image decodePcx(ByteSpan bytes);
Bytes encodePcx(const Image& image, int writeDepth = 0);

} // namespace vask
