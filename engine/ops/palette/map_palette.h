#pragma once

#include "engine/image/image.h"

namespace vask {

// Forces the picture onto paletteSource's palette: every pixel takes the nearest entry of
// that palette and the picture takes paletteSource's depth and palette. A 24-bit
// paletteSource has no palette and changes nothing. Mapping a picture onto itself keeps
// every pixel (it re-realises its own palette). Any depth in; no dithering; a null picture
// or null paletteSource changes nothing. Runs on all cores.
void mapPalette(Image& image, const Image& paletteSource);

} // namespace vask
