#include "bench/bench_pictures.h"

#include "engine/image/create_image.h"
#include "engine/ops/geometry/assign_image.h"
#include "engine/ops/geometry/resample.h"

#include <benchmark/benchmark.h>

namespace vask::bench {
namespace {

// Each run makes a new picture, as the resample page does; the source is never changed.
void resampleRun(benchmark::State& state, int width, int height, ResampleQuality quality)
{
    const Image& picture = benchPicture();
    for (auto _ : state) {
        Image out = resampleImage(picture, width, height, quality);
        benchmark::DoNotOptimize(out.bits());
    }
}

void BM_ResampleHalfHigh(benchmark::State& state)
{
    resampleRun(state, kBenchWidth / 2, kBenchHeight / 2, ResampleQuality::High);
}
BENCHMARK(BM_ResampleHalfHigh)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResampleHalfFast(benchmark::State& state)
{
    resampleRun(state, kBenchWidth / 2, kBenchHeight / 2, ResampleQuality::Fast);
}
BENCHMARK(BM_ResampleHalfFast)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ResampleDoubleHigh(benchmark::State& state)
{
    resampleRun(state, kBenchWidth * 2, kBenchHeight * 2, ResampleQuality::High);
}
BENCHMARK(BM_ResampleDoubleHigh)->Unit(benchmark::kMillisecond)->UseRealTime();

// The resample page's way: a 3000 x 2000 target, the whole picture resized into it.
void BM_AssignResizeCompositeHigh(benchmark::State& state)
{
    const Image& picture = benchPicture();
    Image target = createImage(24, kBenchWidth / 2, kBenchHeight / 2, packRgb(255, 255, 255));
    for (auto _ : state) {
        assignImage(target, std::nullopt, picture, std::nullopt, AssignMode::ResizeComposite,
                    ResizeMode::ResampleFloatingAspect);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_AssignResizeCompositeHigh)->Unit(benchmark::kMillisecond)->UseRealTime();

// The zoom's way: a 1920 x 1080 window showing a 2.5x enlarged part of the picture whose area
// starts left of it, by pixel replication.
void BM_AssignResizeCompositeZoom(benchmark::State& state)
{
    const Image& picture = benchPicture();
    Image target = createImage(24, 1920, 1080, packRgb(0, 0, 0));
    const Rect area{-27, 1000, 768, 432};
    for (auto _ : state) {
        assignImage(target, std::nullopt, picture, area, AssignMode::ResizeComposite,
                    ResizeMode::ReplicateFixedAspect);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_AssignResizeCompositeZoom)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vask::bench
