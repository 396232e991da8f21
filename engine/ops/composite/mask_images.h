#pragma once

#include "engine/image/image.h"

namespace vask {

// Blends source into destination through a grey mask:
//   result = destination + (source - destination) x maskGrey / 255,
// so white lets the source through and black keeps the destination. Exact integer
// arithmetic: each channel is round((d x (255 - m) + s x m) / 255), the exact value rounded
// to the nearest level (it is never halfway).
// The mask grey is the luminance of the mask colour (lumaOf); a palette mask goes through
// its palette. The destination is made 24-bit; a palette source is read in true colour. A
// source of another size is resampled to the destination's size at High quality; a mask
// of another size is sampled at the nearest pixel, so hard mask edges stay hard.
// Runs on all cores in bands of rows. ImageError when a picture is missing.
void maskImages(Image& destination, const Image& source, const Image& mask);

} // namespace vask
