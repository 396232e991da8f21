#include "engine/ops/geometry/resample_kernels.h"

#include <algorithm>
#include <cstddef>

#if defined(__SSE2__) && !defined(VASK_PLAIN_KERNELS)
#include <emmintrin.h>
#define VASK_RESAMPLE_SSE2 1
#endif

namespace vask::resample {
namespace {

constexpr int kVerticalRound = 1 << (kVerticalShift - 1);
constexpr int kHorizontalRound = 1 << (kHorizontalShift - 1);

// The plain vertical pass; on x86-64 it only finishes the last few bytes of a row.
void verticalTapsPlain(const std::uint8_t* const* rows, const std::int16_t* weights, int taps,
                       std::int16_t* sums, int from, int bytes)
{
    constexpr int kChunk = 2048;
    alignas(64) std::int32_t acc[kChunk];
    for (int start = from; start < bytes; start += kChunk) {
        const int n = std::min(kChunk, bytes - start);
        for (int b = 0; b < n; ++b)
            acc[b] = kVerticalRound;
        for (int k = 0; k < taps; ++k) {
            const std::uint8_t* row = rows[k] + start;
            const int w = weights[k];
            for (int b = 0; b < n; ++b)
                acc[b] += w * row[b];
        }
        std::int16_t* out = sums + start;
        for (int b = 0; b < n; ++b)
            out[b] = static_cast<std::int16_t>(acc[b] >> kVerticalShift);
    }
}

} // namespace

#ifdef VASK_RESAMPLE_SSE2

void verticalTaps(const std::uint8_t* const* rows, const std::int16_t* weights, int taps, std::int16_t* sums,
                  int bytes)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i round = _mm_set1_epi32(kVerticalRound);
    int b = 0;
    for (; b + 16 <= bytes; b += 16) {
        // Two rows at a time: their bytes interleaved as int16 pairs meet the weight pair.
        __m128i a0 = round, a1 = round, a2 = round, a3 = round;
        int k = 0;
        for (; k + 1 < taps; k += 2) {
            const __m128i w = _mm_set1_epi32(static_cast<int>(
                static_cast<std::uint16_t>(weights[k]) | (static_cast<std::uint32_t>(weights[k + 1]) << 16)));
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + b));
            const __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k + 1] + b));
            const __m128i xl = _mm_unpacklo_epi8(x, zero), xh = _mm_unpackhi_epi8(x, zero);
            const __m128i yl = _mm_unpacklo_epi8(y, zero), yh = _mm_unpackhi_epi8(y, zero);
            a0 = _mm_add_epi32(a0, _mm_madd_epi16(_mm_unpacklo_epi16(xl, yl), w));
            a1 = _mm_add_epi32(a1, _mm_madd_epi16(_mm_unpackhi_epi16(xl, yl), w));
            a2 = _mm_add_epi32(a2, _mm_madd_epi16(_mm_unpacklo_epi16(xh, yh), w));
            a3 = _mm_add_epi32(a3, _mm_madd_epi16(_mm_unpackhi_epi16(xh, yh), w));
        }
        if (k < taps) {
            const __m128i w = _mm_set1_epi32(static_cast<std::uint16_t>(weights[k]));
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(rows[k] + b));
            const __m128i xl = _mm_unpacklo_epi8(x, zero), xh = _mm_unpackhi_epi8(x, zero);
            a0 = _mm_add_epi32(a0, _mm_madd_epi16(_mm_unpacklo_epi16(xl, zero), w));
            a1 = _mm_add_epi32(a1, _mm_madd_epi16(_mm_unpackhi_epi16(xl, zero), w));
            a2 = _mm_add_epi32(a2, _mm_madd_epi16(_mm_unpacklo_epi16(xh, zero), w));
            a3 = _mm_add_epi32(a3, _mm_madd_epi16(_mm_unpackhi_epi16(xh, zero), w));
        }
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(sums + b),
            _mm_packs_epi32(_mm_srai_epi32(a0, kVerticalShift), _mm_srai_epi32(a1, kVerticalShift)));
        _mm_storeu_si128(
            reinterpret_cast<__m128i*>(sums + b + 8),
            _mm_packs_epi32(_mm_srai_epi32(a2, kVerticalShift), _mm_srai_epi32(a3, kVerticalShift)));
    }
    verticalTapsPlain(rows, weights, taps, sums, b, bytes);
}

void pairPixels(const std::int16_t* sums, int positions, std::int16_t* pairs)
{
    for (int j = 0; j < positions; ++j) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sums + 4 * std::size_t(j)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pairs + 8 * std::size_t(j)),
                         _mm_unpacklo_epi16(v, _mm_srli_si128(v, 8)));
    }
}

void horizontalTaps(const std::int16_t* pairs, const int* first, const std::int16_t* weightPairs,
                    int pairCount, Rgb* out, int count)
{
    const __m128i round = _mm_set1_epi32(kHorizontalRound);
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (int x = 0; x < count; ++x) {
        const auto* p = reinterpret_cast<const __m128i*>(pairs + 8 * std::size_t(first[x]));
        const auto* w = reinterpret_cast<const __m128i*>(weightPairs + 8 * std::size_t(x) * pairCount);
        __m128i acc = round;
        for (int m = 0; m < pairCount; ++m)
            acc = _mm_add_epi32(acc, _mm_madd_epi16(_mm_loadu_si128(p + 2 * m), _mm_loadu_si128(w + m)));
        acc = _mm_srai_epi32(acc, kHorizontalShift);
        acc = _mm_packs_epi32(acc, acc);
        acc = _mm_packus_epi16(acc, acc);
        out[x] = static_cast<Rgb>(_mm_cvtsi128_si32(_mm_or_si128(acc, alpha)));
    }
}

#else

void verticalTaps(const std::uint8_t* const* rows, const std::int16_t* weights, int taps, std::int16_t* sums,
                  int bytes)
{
    verticalTapsPlain(rows, weights, taps, sums, 0, bytes);
}

void pairPixels(const std::int16_t* sums, int positions, std::int16_t* pairs)
{
    for (int j = 0; j < positions; ++j)
        for (int c = 0; c < 4; ++c) {
            pairs[8 * std::size_t(j) + 2 * c] = sums[4 * std::size_t(j) + c];
            pairs[8 * std::size_t(j) + 2 * c + 1] = sums[4 * std::size_t(j) + 4 + c];
        }
}

void horizontalTaps(const std::int16_t* pairs, const int* first, const std::int16_t* weightPairs,
                    int pairCount, Rgb* out, int count)
{
    for (int x = 0; x < count; ++x) {
        const std::int16_t* p = pairs + 8 * std::size_t(first[x]);
        const std::int16_t* w = weightPairs + 8 * std::size_t(x) * pairCount;
        int acc[4] = {kHorizontalRound, kHorizontalRound, kHorizontalRound, kHorizontalRound};
        for (int m = 0; m < pairCount; ++m)
            for (int c = 0; c < 4; ++c)
                acc[c] += w[8 * m] * p[16 * m + 2 * c] + w[8 * m + 1] * p[16 * m + 2 * c + 1];
        out[x] = packRgb(clampToByte(acc[2] >> kHorizontalShift), clampToByte(acc[1] >> kHorizontalShift),
                         clampToByte(acc[0] >> kHorizontalShift));
    }
}

#endif

} // namespace vask::resample
