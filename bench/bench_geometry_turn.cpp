#include "bench/bench_pictures.h"

#include "engine/ops/geometry/mirror.h"
#include "engine/ops/geometry/rotate.h"

#include <benchmark/benchmark.h>

namespace vask::bench {
namespace {

// Mirroring costs the same on any pixels and undoes itself, so it runs on one copy again
// and again.
Image& mirrorCopy()
{
    static Image image = benchPicture();
    return image;
}

void BM_MirrorHorizontal(benchmark::State& state)
{
    Image& image = mirrorCopy();
    for (auto _ : state) {
        mirrorImage(image, true, false);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MirrorHorizontal)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MirrorVertical(benchmark::State& state)
{
    Image& image = mirrorCopy();
    for (auto _ : state) {
        mirrorImage(image, false, true);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MirrorVertical)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MirrorBoth(benchmark::State& state)
{
    Image& image = mirrorCopy();
    for (auto _ : state) {
        mirrorImage(image, true, true);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MirrorBoth)->Unit(benchmark::kMillisecond)->UseRealTime();

// Each run is one quarter turn, alternately anticlockwise and back, into a new canvas.
void BM_Rotate90(benchmark::State& state)
{
    Image image = benchPicture();
    bool back = false;
    for (auto _ : state) {
        rotateImage(image, back ? -90 : 90, 0);
        back = !back;
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_Rotate90)->Unit(benchmark::kMillisecond)->UseRealTime();

// The copy of the source is part of each run; BM_RotateSourceCopy measures it alone.
void BM_RotateSourceCopy(benchmark::State& state)
{
    for (auto _ : state) {
        Image image = benchPicture();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_RotateSourceCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Rotate7_5WithFillAndCopy(benchmark::State& state)
{
    for (auto _ : state) {
        Image image = benchPicture();
        rotateImage(image, 7.5, packRgb(255, 0, 255));
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_Rotate7_5WithFillAndCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vask::bench
