#pragma once

#include "engine/image/pixel.h"

#include <cstdint>

namespace vask::resample {

// The two filter passes of the High resampler, on one row each. Weights are 14-bit fixed
// point (each set sums to 1 << 14). On x86-64 both passes multiply int16 pairs with SSE2
// pmaddwd, which plain loops do not reach; elsewhere they are plain loops with the same
// integer results.
constexpr int kWeightBits = 14;
constexpr int kWeightOne = 1 << kWeightBits;
// The vertical sums keep 6 fractional bits per channel in int16 (shift 8); Lanczos overshoot
// stays below 1.3 x 255 x 64, well inside int16.
constexpr int kVerticalShift = 8;
constexpr int kHorizontalShift = 2 * kWeightBits - kVerticalShift;

// sums[b] = (sum over k of weights[k] x rows[k][b] + 128) >> 8 for b in [0, bytes).
// No taps gives zeros.
void verticalTaps(const std::uint8_t* const* rows, const std::int16_t* weights, int taps, std::int16_t* sums,
                  int bytes);

// Rearranges sums of `positions` pixels (four int16 channels each, followed by one more
// pixel of zeros) so that pairs[8 j ..] holds pixels j and j + 1 channel by channel:
// b_j b_j+1 g_j g_j+1 r_j r_j+1 a_j a_j+1. One multiply then serves two taps.
void pairPixels(const std::int16_t* sums, int positions, std::int16_t* pairs);

// out[x] = the pixel whose channels are the sums over `pairCount` tap pairs starting at pixel
// first[x] of pairs, each pair weighted by weightPairs[(x x pairCount + m) x 8 ..] (eight
// int16: w0 w1 repeated), shifted down 20 bits with rounding and clamped to 0..255.
void horizontalTaps(const std::int16_t* pairs, const int* first, const std::int16_t* weightPairs,
                    int pairCount, Rgb* out, int count);

} // namespace vask::resample
