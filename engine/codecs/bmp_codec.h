#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// Windows and OS/2 bitmaps (.BMP, .DIB): reads 1, 4, 8, 16, 24 and 32 bits per pixel,
// RLE4 and RLE8, bottom-up and top-down rows, the old core header and the newer info headers
// (with or without bit-field masks). Writes 1, 4 and 8-bit pictures with their palette and
// 24-bit pictures, uncompressed, so the depth survives a round trip.
Image decodeBmp(ByteSpan bytes);
Bytes encodeBmp(const Image& image);

} // namespace vask
