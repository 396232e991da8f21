#pragma once

#include "engine/image/image.h"

namespace vask {

// Rotates anticlockwise by degrees (negative turns clockwise), in place: after +90 the
// top-right corner is at the top-left. Multiples of 90 (any, such as -270 or 450) are exact
// copies and swap width and height. Any other angle enlarges the canvas to the rotated
// bounding box (each side rounded up), turns about the centres of both pictures and samples
// bilinearly with 1/128-pixel weights; pixels past the source edges blend with fill and the
// uncovered corners are fill. A palette picture is rotated by nearest neighbour so it keeps
// its depth, palette and indices, with fill mapped to the nearest palette entry. Runs on all
// cores. ImageError for an angle that is not finite, or when the rotated canvas would exceed
// the side limit (the picture is then unchanged).
void rotateImage(Image& image, double degrees, Rgb fill);

} // namespace vask
