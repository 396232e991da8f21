#pragma once

#include "engine/image/image.h"

namespace vask {

// The six adjustments of the enhance page, each taking its track bar's position; positions
// outside the range are taken as its nearest end, and the neutral position changes nothing.
// Palette pictures adjust their palette entries (indices stay); 24-bit pictures every pixel,
// on all cores in bands of rows. The depth never changes.

// -1000..1000 tenths of a percent. Positive moves each channel v / 1000 of the way to 255,
// negative keeps (1000 + v) / 1000 of it: -1000 gives black, 1000 white.
void changeBrightness(Image& image, int tenthsPercent);
// -1000..1000 about mid grey (127.5). Negative flattens by (1000 + v) / 1000, to one grey at
// -1000; positive steepens by 1000 / (1000 - v), to a threshold at 1000.
void changeContrast(Image& image, int tenthsPercent);
// -1000..1000: as changeContrast, about the picture's mean luminance instead of mid grey.
void changeHistogramContrast(Image& image, int tenthsPercent);
// 1..250, 125 neutral: gamma = 2.4 ^ ((position - 125) / 125), from about 1 / 2.4 to 2.4, and
// each channel becomes 255 (level / 255) ^ (1 / gamma), so positions above 125 lighten.
void changeGamma(Image& image, int position);
// -180..180 degrees around the hexcone's colour wheel (red towards yellow and green for
// positive turns). Max and min of each colour stay, so saturation and value do; multiples of
// 60 degrees are exact.
void changeHue(Image& image, int degrees);
// -1000..1000: HLS saturation times (1000 + v) / 1000, hue and lightness kept. -1000 gives the
// grey (max + min) / 2 rounded up; 1000 doubles the saturation, at most to full.
void changeSaturation(Image& image, int tenthsPercent);

} // namespace vask
