#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// PNG through libpng, in memory; warnings stay silent, errors become ImageError.
//
// Reads every bit depth, colour type and interlacing:
//   palette 1, 2, 4, 8 bits  -> 1, 4, 4, 8 bits with the file's palette
//   grey 1, 2, 4, 8 bits     -> 1, 4, 4, 8 bits with a grey palette
//   grey 16 bits             -> 8 bits with a grey palette
//   RGB 8 and 16 bits        -> 24 bits
// 16-bit samples are rounded to 8. Alpha is composed over white: a transparent palette
// entry or grey key changes the palette, an alpha channel the pixels (grey plus alpha gives
// 8-bit grey), on all cores. Sides above Image::kMaxSide are refused before any pixel
// memory is taken.
Image decodePng(ByteSpan bytes);

// Writes 1, 4 and 8-bit pictures as palette PNGs of that bit depth and 24-bit pictures as
// 8-bit RGB; Adam7 interlaced when asked. 24-bit rows are "Up"-filtered at zlib level 3,
// palette rows unfiltered at level 6 (the reasons are in png_codec.cpp). Runs on the
// caller's thread.
Bytes encodePng(const Image& image, bool interlaced);

} // namespace vask
