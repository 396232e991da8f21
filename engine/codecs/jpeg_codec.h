#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

namespace vask {

// JPEG through libjpeg-turbo, in memory; warnings stay silent, errors become ImageError.
//
// Reads baseline and progressive files: greyscale as an 8-bit picture with the grey palette,
// colour as 24 bits, CMYK and YCCK (Adobe's inverted form or plain) as 24 bits. A file that
// ends early gives its rows so far, the rest grey, as libjpeg decodes it. Runs on the
// caller's thread.
Image decodeJpeg(ByteSpan bytes);

// Writes any picture; a palette picture through its colours. quality is clamped to 5..100
// (from 90 on, colour is not subsampled). writeOption: 0 baseline, 1 progressive, 2 8-bit
// greyscale, 3 greyscale progressive (greyscale from lumaOf); other values: ImageError.
// Runs on the caller's thread.
Bytes encodeJpeg(const Image& image, int quality, int writeOption);

} // namespace vask
