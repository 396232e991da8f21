#pragma once

#include "engine/image/image.h"

namespace vask {

// The image menu's fixed filters, in place. Level 1 is the gentlest, 10 the strongest; a
// level outside 1..10 is clamped. Each goes through matrixFilter with a kernel of its family,
// so depth, edges, rounding and threading are as there.

// Unsharp masking with a centre-weighted 3x3 kernel; the gain grows linearly with the level.
void sharpenImage(Image& image, int level);
// Weighted means: 3x3 with a falling centre weight for levels 1 to 5, reaching to 5x5 for
// levels 6 to 10 (level 10 is the plain 5x5 mean).
void softenImage(Image& image, int level);
// The 8-neighbour Laplacian with gain level / 2: flat areas turn black, edges light up on
// their bright side.
void edgeExtract(Image& image, int level);
// A small fixed Gaussian: the 5x5 binomial (1 4 6 4 1 each way). A 24-bit picture takes a
// two-pass route (about four times as fast) that gives the same bytes as matrixFilter.
void blurImage(Image& image);

} // namespace vask
