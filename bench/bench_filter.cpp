#include "bench/bench_pictures.h"

#include "engine/ops/filter/level_filters.h"
#include "engine/ops/filter/matrix_filter.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace vask::bench {
namespace {

// The filters work in place, so each run refills one working copy from the shared picture by
// a memcpy inside the timing; BM_FilterRefill measures that refill alone.
Image& workingCopy()
{
    static Image image = benchPicture();
    return image;
}

void refill(Image& image)
{
    std::memcpy(image.bits(), benchPicture().bits(), image.byteCount());
}

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

void BM_FilterRefill(benchmark::State& state)
{
    Image& image = workingCopy();
    for (auto _ : state) {
        refill(image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_FilterRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MatrixFilter3x3WithRefill(benchmark::State& state)
{
    Image& image = workingCopy();
    const Kernel k = sharpKernel();
    for (auto _ : state) {
        refill(image);
        matrixFilter(image, k, 1, 4, 0);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MatrixFilter3x3WithRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MatrixFilter5x5WithRefill(benchmark::State& state)
{
    Image& image = workingCopy();
    const Kernel k = binomialKernel();
    for (auto _ : state) {
        refill(image);
        matrixFilter(image, k, 1, 256, 0);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MatrixFilter5x5WithRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SharpenLevel5WithRefill(benchmark::State& state)
{
    Image& image = workingCopy();
    for (auto _ : state) {
        refill(image);
        sharpenImage(image, 5);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_SharpenLevel5WithRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BlurWithRefill(benchmark::State& state)
{
    Image& image = workingCopy();
    for (auto _ : state) {
        refill(image);
        blurImage(image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_BlurWithRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

// The 8-bit picture goes through true colour and back through its palette.
void BM_MatrixFilter3x3Palette(benchmark::State& state)
{
    static Image image = benchPalettePicture();
    const Kernel k = sharpKernel();
    for (auto _ : state) {
        std::memcpy(image.bits(), benchPalettePicture().bits(), image.byteCount());
        matrixFilter(image, k, 1, 4, 0);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MatrixFilter3x3Palette)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vask::bench
