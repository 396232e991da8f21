#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// Microsoft Paint (Windows 1.x and 2.x) monochrome pictures, version 1 (raw) and version 2
// (run-length encoded rows): read only. The result is a 1-bit picture, black and white.
Image decodeMsp(ByteSpan bytes);

} // namespace vask
