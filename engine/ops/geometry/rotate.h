#pragma once

#include "engine/image/image.h"

namespace vask {

// Rotates anticlockwise by degrees (negative turns clockwise). Multiples of 90 are exact
// and swap width and height; any other angle enlarges the canvas to the rotated bounding
// box, samples bilinearly and paints the uncovered corners with fill. A palette picture is
// rotated by nearest neighbour so it keeps its indices, with fill mapped to the nearest
// palette entry. ImageError when the rotated canvas would exceed the side limit.
void rotateImage(Image& image, double degrees, Rgb fill);

} // namespace vask
