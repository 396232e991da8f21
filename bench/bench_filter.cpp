#include "bench/bench_pictures.h"

#include "engine/ops/filter/level_filters.h"
#include "engine/ops/filter/matrix_filter.h"

namespace vask::bench {
namespace {

// The kernels the peer comparison script gives libvips and ImageMagick.
Kernel sharpKernel()
{
    Kernel k;
    k.size = 3;
    k.values = {-1, -1, -1, -1, 12, -1, -1, -1, -1};
    return k;
}

Kernel binomialKernel()
{
    Kernel k;
    k.size = 5;
    const int row[] = {1, 4, 6, 4, 1};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            k.values[r * 5 + c] = row[r] * row[c];
    return k;
}

// The filters work in place and depend on the pixels, so each run refills the copy first.
[[maybe_unused]] const bool kRegistered = [] {
    registerInPlace("BM_MatrixFilter3x3WithRefill", EachRun::Refill,
                    [k = sharpKernel()](Image& image) { matrixFilter(image, k, 1, 4, 0); });
    registerInPlace("BM_MatrixFilter5x5WithRefill", EachRun::Refill,
                    [k = binomialKernel()](Image& image) { matrixFilter(image, k, 1, 256, 0); });
    registerInPlace("BM_SharpenLevel5WithRefill", EachRun::Refill,
                    [](Image& image) { sharpenImage(image, 5); });
    registerInPlace("BM_BlurWithRefill", EachRun::Refill, [](Image& image) { blurImage(image); });
    // The 8-bit picture goes through true colour and back through its palette.
    registerInPlace(
        "BM_MatrixFilter3x3Palette", EachRun::Refill,
        [k = sharpKernel()](Image& image) { matrixFilter(image, k, 1, 4, 0); }, benchPalettePicture);
    return true;
}();

} // namespace
} // namespace vask::bench
