#pragma once

#include "engine/image/image.h"

namespace vask {

// The image menu's fixed filters. Level 1 is the gentlest, 10 the strongest; a level outside
// 1..10 is clamped. Each goes through matrixFilter with a kernel of its family, so depth,
// edges and threading are as there.
void sharpenImage(Image& image, int level);
void softenImage(Image& image, int level);
void edgeExtract(Image& image, int level);
// A small fixed Gaussian.
void blurImage(Image& image);

} // namespace vask
