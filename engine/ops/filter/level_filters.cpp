#include "engine/ops/filter/level_filters.h"

#include "engine/ops/filter/matrix_filter.h"
#include "engine/ops/filter/separable_blur.h"

#include <algorithm>
#include <initializer_list>

namespace vask {
namespace {

Kernel kernelOf(int size, std::initializer_list<int> values)
{
    Kernel k;
    k.size = size;
    std::copy(values.begin(), values.end(), k.values.begin());
    return k;
}

int clampLevel(int level)
{
    return std::clamp(level, 1, 10);
}

} // namespace

// Unsharp masking: pixel + gain x (pixel - centre-weighted mean of its 8 neighbours), with
// gain = 0.375 x level, so 0.375 at level 1 and 3.75 at level 10.
void sharpenImage(Image& image, int level)
{
    const int l = clampLevel(level);
    const int c = 12 * l + 32;
    matrixFilter(image, kernelOf(3, {-l, -2 * l, -l, -2 * l, c, -2 * l, -l, -2 * l, -l}), 1, 32, 0);
}

// Levels 1 to 5 are 3x3 means whose centre weight falls from 16 to 1 (level 5 is the plain
// box); levels 6 to 10 reach to 5x5, the outer ring gaining weight until level 10 is the
// plain 5x5 box.
void softenImage(Image& image, int level)
{
    const int l = clampLevel(level);
    if (l <= 5) {
        const int centre = 1 << (5 - l);
        matrixFilter(image, kernelOf(3, {1, 1, 1, 1, centre, 1, 1, 1, 1}), 1, 0, 0);
        return;
    }
    static constexpr int kInner[] = {4, 3, 2, 3, 1};
    static constexpr int kOuter[] = {1, 1, 1, 2, 1};
    const int i = kInner[l - 6], o = kOuter[l - 6];
    matrixFilter(image, kernelOf(5, {o, o, o, o, o, //
                                     o, i, i, i, o, //
                                     o, i, i, i, o, //
                                     o, i, i, i, o, //
                                     o, o, o, o, o}),
                 1, 0, 0);
}

// The 8-neighbour Laplacian with gain level / 2; it sums to zero, so flat areas turn black
// and only the bright side of each edge shows.
void edgeExtract(Image& image, int level)
{
    const int l = clampLevel(level);
    matrixFilter(image, kernelOf(3, {-1, -1, -1, -1, 8, -1, -1, -1, -1}), l, 2, 0);
}

// The 5x5 binomial (1 4 6 4 1 in each direction), weights summing to 256. A 24-bit picture
// takes the two-pass route, which gives the same bytes as the full kernel.
void blurImage(Image& image)
{
    if (image.isTrueColour()) {
        separableBinomialBlur(image);
        return;
    }
    static constexpr int kRow[] = {1, 4, 6, 4, 1};
    Kernel k;
    k.size = 5;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            k.values[r * 5 + c] = kRow[r] * kRow[c];
    matrixFilter(image, k, 1, 0, 0);
}

} // namespace vask
