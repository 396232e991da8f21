#pragma once

#include "engine/image/image.h"

#include <span>

namespace vask {

// Writes one row from colours (one per pixel from the left); values past the row's width
// are ignored, a shorter array fills only its length. Palette pictures take the nearest
// palette entry. ImageError when the row is outside the picture.
void putRow(Image& image, int row, std::span<const Rgb> colours);

} // namespace vask
