#pragma once

#include "engine/image/image.h"

namespace vask {

// Spreads the luminance histogram over 0..255 by the usual cumulative mapping (the lowest
// level used becomes 0, the highest 255). Each colour is scaled to its new luminance, keeping
// hue; a colour that would then pass 255 in a channel is drawn towards grey until it fits,
// keeping its new luminance. A picture of one luminance is left as it is. Palette pictures
// count their pixels through the palette and change their palette entries. 24-bit pictures
// run on all cores in bands of rows.
void histogramEqualize(Image& image);

// Stretches all three channels by one linear mapping so the lowest channel level in the
// picture becomes 0 and the highest 255 (one mapping for all channels, so colours keep their
// balance). A picture of one level is left as it is; palette pictures stretch their palette
// entries over the levels their pixels use.
void stretchIntensity(Image& image);

} // namespace vask
