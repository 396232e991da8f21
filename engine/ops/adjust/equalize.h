#pragma once

#include "engine/image/image.h"

namespace vask {

// Spreads the luminance histogram evenly over 0..255 and scales each pixel's channels by its
// luminance change, keeping hue. Palette pictures equalise their palette entries.
void histogramEqualize(Image& image);

// Stretches the picture's intensity so its darkest level becomes 0 and its brightest 255.
void stretchIntensity(Image& image);

} // namespace vask
