#pragma once

#include "engine/image/image.h"

#include <cstdint>
#include <string>

namespace vask::test {

// Pictures with content that exposes mistakes: every pixel differs from its neighbours,
// odd widths leave row padding, palettes use every entry.
Image gradientPicture(int width, int height);             // 24-bit, smooth ramps
Image noisePicture(int width, int height, std::uint32_t seed); // 24-bit, random colours
Image palettePicture(int width, int height, int depth, std::uint32_t seed); // random indices, random palette

// True when both pictures have the same size and the same colour at every pixel.
bool sameColours(const Image& a, const Image& b);
// The largest difference of one channel over all pixels (pictures of the same size).
int maxChannelDifference(const Image& a, const Image& b);
// Peak signal-to-noise ratio in dB over all three channels (infinity for identical pictures).
double psnr(const Image& a, const Image& b);

// A fresh empty folder under the system's temporary folder, removed by the caller.
std::string makeTemporaryFolder();
void removeFolder(const std::string& path);

} // namespace vask::test
