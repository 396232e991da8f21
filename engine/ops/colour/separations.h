#pragma once

#include "engine/image/image.h"

#include <vector>

namespace vask {

// Model codes as the separation page passes them.
enum class ColourModel { Rgb = 0, Cmyk = 1, Hsv = 2, Hls = 3, Cmy = 4 };

// Plane order of each model: RGB blue, green, red; CMYK cyan, magenta, yellow, K;
// CMY cyan, magenta, yellow; HSV hue, saturation, value; HLS hue, lightness, saturation.
int planeCount(ColourModel model);

// Splits a picture into 8-bit grey planes of its size, in the model's plane order.
// CMYK takes K = 255 - max(R, G, B) and C, M, Y from what remains; HSV and HLS use the
// hexcone formulas with hue scaled to 0..255.
std::vector<Image> colorSeparate(const Image& image, ColourModel model);

// Joins planes (any depth; their luminance is used) back into a 24-bit picture. Merging the
// planes of a separation returns the original within one level. ImageError when the planes
// are missing or differ in size.
Image colorMerge(const std::vector<Image>& planes, ColourModel model);

} // namespace vask
