#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// PNG through libpng: reads every bit depth and colour type; 16-bit samples are scaled to
// 8, alpha is composed over white, grey and palette files of 1, 2, 4 or 8 bits become
// palette pictures of 1, 4 or 8 bits. Writes palette pictures as palette PNGs and 24-bit
// pictures as RGB; interlaced (Adam7) when asked.
Image decodePng(ByteSpan bytes);
Bytes encodePng(const Image& image, bool interlaced);

} // namespace vask
