#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// TIFF through libtiff: reads strips and tiles, bilevel, palette, grey and RGB(A) pictures
// with any compression libtiff reads (the first page of a multi-page file). Writes 1, 4, 8
// and 24-bit pictures, uncompressed (compression 0), Deflate (1) or PackBits (2); never LZW.
Image decodeTiff(ByteSpan bytes);
Bytes encodeTiff(const Image& image, int compression = 0);

} // namespace vask
