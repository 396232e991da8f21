#pragma once

#include "engine/image/image.h"

namespace vask {

// Inverts every colour (255 - value per channel); palette pictures invert their palette.
void negateImage(Image& image);

} // namespace vask
