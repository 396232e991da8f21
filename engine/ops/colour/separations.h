#pragma once

#include "engine/image/image.h"

#include <vector>

namespace vask {

// Model codes as the separation page passes them.
enum class ColourModel { Rgb = 0, Cmyk = 1, Hsv = 2, Hls = 3, Cmy = 4 };

// Plane order of each model: RGB blue, green, red; CMYK cyan, magenta, yellow, K;
// CMY cyan, magenta, yellow; HSV hue, saturation, value; HLS hue, lightness, saturation.
// 0 for a code that is not a model.
int planeCount(ColourModel model);

// Splits a picture of any depth (palette pictures through their palette) into 8-bit planes of
// its size with the grey palette, level = index, in the model's plane order. Runs on all cores
// in bands of rows. ImageError for an empty picture or an unknown model.
//  - CMY: 255 - channel. CMYK: K = 255 - max, each ink 255 (max - channel) / max (0 for black),
//    the usual full undercolour removal.
//  - HSV: V = max, S = 255 (max - min) / max. HLS: L = (max + min) / 2 rounded down,
//    S = 255 (max - min) / the largest spread L allows (2L + 1 up to 127, 510 - 2L above).
//  - Hue: the hexcone angle at 256 codes per turn, red 0, yellow 43, green 85, cyan 128,
//    blue 171, magenta 213, linear in between; always within one code of angle x 256 / 360.
// Where eight bits of hue cannot place a colour's middle channel within a level, the planes
// move max and min by a level or take the neighbouring hue code, whichever merges closest.
std::vector<Image> colorSeparate(const Image& image, ColourModel model);

// Joins planes back into a 24-bit picture; runs on all cores in bands of rows. Planes of any
// depth are read as levels: an 8-bit plane with the grey palette by its index, any other by
// its luminance. ImageError when the number of planes is not the model's, a plane is empty or
// the planes differ in size.
//
// Merging a separation gives back the original: exactly for RGB, CMY and CMYK; within two
// levels for HSV and HLS, and within one for all but 92,386 of the 16,777,216 colours (0.55%,
// all with max - min above 120). Those are exactly the colours that no three planes merge to
// within one level (found by merging every combination of plane levels): eight bits of hue
// move a saturated colour's middle channel in steps of up to 6 levels.
Image colorMerge(const std::vector<Image>& planes, ColourModel model);

} // namespace vask
