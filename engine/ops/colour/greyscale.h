#pragma once

#include "engine/image/image.h"

namespace vask {

// Replaces each colour by its luminance (0.299 R + 0.587 G + 0.114 B). The picture keeps its
// depth; a palette picture gets the grey of each entry.
void greyScaleImage(Image& image);

} // namespace vask
