#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// Truevision Targa: reads colour-mapped (8-bit), grey (8-bit) and true-colour (16, 24, 32)
// pictures, raw or run-length encoded, in either row order. Writes 1, 4 and 8-bit pictures
// as 8-bit colour-mapped files and 24-bit pictures as 24-bit true colour.
//
// decodeTga: colour-mapped files (8-bit indices; map entries of 15, 16, 24 or 32 bits, from
// any first entry; indices outside the map are black) and grey files (8 bits, or 16 with
// alpha) give 8-bit pictures; true-colour files give 24-bit pictures, alpha ignored. Rows and
// columns are placed by the descriptor's origin bits. ImageError, a sentence beginning "The
// TGA file", for a damaged, truncated or hostile file, checked before any picture is
// allocated. Uncompressed rows are converted on all cores.
Image decodeTga(ByteSpan bytes);

// Uncompressed, bottom-left origin, with a TGA 2.0 footer. A palette picture is written with
// its own 2^depth map entries of 24 bits, so a 1 or 4-bit picture reads back as an 8-bit
// picture of the same colours. Rows are written on all cores. ImageError for a null picture.
Bytes encodeTga(const Image& image);

} // namespace vask
