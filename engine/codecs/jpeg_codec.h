#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// JPEG through libjpeg-turbo: reads baseline, progressive, greyscale (as an 8-bit grey
// picture) and CMYK files. Writes with quality 5 to 100 and a write option: 0 baseline,
// 1 progressive, 2 8-bit greyscale, 3 8-bit greyscale progressive. A palette picture is
// written through its colours.
Image decodeJpeg(ByteSpan bytes);
Bytes encodeJpeg(const Image& image, int quality, int writeOption);

} // namespace vask
