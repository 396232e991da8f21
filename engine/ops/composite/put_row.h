#pragma once

#include "engine/image/image.h"

#include <span>

namespace vask {

// Writes one row from colours (0x..RRGGBB, one per pixel from the left); values past the
// row's width are ignored, a shorter array fills only its length. Palette pictures take
// the nearest palette entry (NearestColour); 24-bit pixels are stored with the top byte set.
// ImageError when the picture is null or the row is outside it. Runs on the caller's thread.
void putRow(Image& image, int row, std::span<const Rgb> colours);

} // namespace vask
