#pragma once

#include "engine/image/image.h"

namespace vask {

// The six adjustments of the enhance page, each taking its track bar's position. Palette
// pictures adjust their palette entries; true-colour pictures every pixel, on all cores.

// -1000..1000 tenths of a percent: -1000 gives black, 1000 white.
void changeBrightness(Image& image, int tenthsPercent);
// -1000..1000: negative flattens towards mid grey, positive steepens around it.
void changeContrast(Image& image, int tenthsPercent);
// -1000..1000: contrast about the picture's own mean luminance rather than mid grey.
void changeHistogramContrast(Image& image, int tenthsPercent);
// 1..250, 125 neutral: gamma = position / 125 ... see the implementation's comment.
void changeGamma(Image& image, int position);
// -180..180 degrees around the colour wheel.
void changeHue(Image& image, int degrees);
// -1000..1000: -1000 gives grey, 1000 doubles the saturation.
void changeSaturation(Image& image, int tenthsPercent);

} // namespace vask
