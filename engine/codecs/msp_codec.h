#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// Microsoft Paint (Windows 1.x and 2.x) monochrome pictures, version 1 (raw) and version 2
// (run-length encoded rows): read only. The result is a 1-bit picture, black and white.
//
// Index 1 (a set bit in the file) is white, index 0 black. In version 2 files an empty row is
// white, a row whose data stops short is white to its end and data past a row's end is
// ignored. ImageError, a sentence beginning "The MSP file", for a file without the Paint key
// or a damaged, truncated or hostile one, checked before any picture is allocated.
Image decodeMsp(ByteSpan bytes);

} // namespace vask
