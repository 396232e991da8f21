#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// Truevision Targa: reads colour-mapped (8-bit), grey (8-bit) and true-colour (16, 24, 32)
// pictures, raw or run-length encoded, in either row order. Writes 1, 4 and 8-bit pictures
// as 8-bit colour-mapped files and 24-bit pictures as 24-bit true colour.
Image decodeTga(ByteSpan bytes);
Bytes encodeTga(const Image& image);

} // namespace vask
