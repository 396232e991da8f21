#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// ZSoft PCX: reads and writes 1-bit, 4-bit (four planes), 8-bit (with the 256-colour palette
// at the end of the file) and 24-bit (three planes) pictures. writeDepth 0 writes the
// picture's own depth; 1, 4, 8 and 24 convert to that depth first; 16 and 32 (which the
// engine never holds) are written as 24-bit.
//
// decodePcx also reads 2 and 3-plane EGA files and 1-plane 2 and 4-bit files (as 4-bit
// pictures), 4-plane RGBA files (alpha ignored) and uncompressed files. A 1-bit file whose two
// header colours are equal is black and white; a 16-colour file without a header palette gets
// the EGA colours; an 8-bit file without its end palette is grey. ImageError, a sentence
// beginning "The PCX file", for a damaged, truncated or hostile file, checked before any
// picture is allocated. Decoding runs on the caller's thread.
Image decodePcx(ByteSpan bytes);

// Lines are run-length encoded, padded to an even number of bytes per plane, version 5.
// Lowering the depth uses reduceColors (optimised palette, dithered), which keeps a picture
// that already has few enough colours exact; raising it uses increaseDepth. Encodes on all
// cores. ImageError for a null picture or a depth other than 0, 1, 4, 8, 16, 24 and 32.
Bytes encodePcx(const Image& image, int writeDepth = 0);

} // namespace vask
