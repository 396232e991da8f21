#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// Windows and OS/2 bitmaps (.BMP, .DIB): reads 1, 4, 8, 16, 24 and 32 bits per pixel,
// RLE4 and RLE8, bottom-up and top-down rows, the old core header and the newer info headers
// (with or without bit-field masks). Writes 1, 4 and 8-bit pictures with their palette and
// 24-bit pictures, uncompressed, so the depth survives a round trip.
//
// decodeBmp takes a file with or without its 14-byte file header (a packed DIB). 1-bit files
// give 1-bit pictures, 2 and 4-bit files 4-bit pictures, 8-bit files 8-bit pictures, and 16,
// 24 and 32-bit files 24-bit pictures (alpha is ignored; 5 and 6-bit channels widen to
// round(v * 255 / max)). A palette shorter than 2^depth is padded with black; pixels a
// run-length file never reaches are index 0. ImageError, a sentence beginning "The BMP file",
// for a damaged, truncated or hostile file, checked before any picture is allocated.
// Uncompressed rows are converted on all cores.
Image decodeBmp(ByteSpan bytes);

// A BITMAPINFOHEADER file of the picture's own depth with its full palette of 2^depth
// entries, bottom-up, rows padded to 4 bytes, 72 dpi. Rows are written on all cores.
// ImageError for a null picture.
Bytes encodeBmp(const Image& image);

} // namespace vask
