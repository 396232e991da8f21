#include "bench/bench_pictures.h"

#include "engine/ops/palette/map_palette.h"
#include "engine/ops/palette/reduce_colors.h"

#include <benchmark/benchmark.h>

namespace vask::bench {
namespace {

// reduceColors replaces the picture, so each run starts from a fresh copy; BM_PaletteCopy
// measures that copy alone.
void BM_PaletteCopy(benchmark::State& state)
{
    benchPicture(); // made once, outside the timing
    for (auto _ : state) {
        Image image = benchPicture();
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_PaletteCopy)->Unit(benchmark::kMillisecond)->UseRealTime();

void reduce(benchmark::State& state, int count, bool optimise, bool dither, bool bleed)
{
    benchPicture();
    for (auto _ : state) {
        Image image = benchPicture();
        reduceColors(image, count, optimise, dither, bleed);
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_ReduceColors256OptimisedDithered(benchmark::State& state)
{
    reduce(state, 256, true, true, false);
}
BENCHMARK(BM_ReduceColors256OptimisedDithered)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReduceColors256OptimisedDitheredBleed(benchmark::State& state)
{
    reduce(state, 256, true, true, true);
}
BENCHMARK(BM_ReduceColors256OptimisedDitheredBleed)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReduceColors256Optimised(benchmark::State& state)
{
    reduce(state, 256, true, false, false);
}
BENCHMARK(BM_ReduceColors256Optimised)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ReduceColors16Dithered(benchmark::State& state)
{
    reduce(state, 16, false, true, false);
}
BENCHMARK(BM_ReduceColors16Dithered)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OptimisedPalette256(benchmark::State& state)
{
    const Image& picture = benchPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(optimisedPalette(picture, 256));
}
BENCHMARK(BM_OptimisedPalette256)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MapPalette(benchmark::State& state)
{
    const Image& target = benchPalettePicture();
    const Image& picture = benchPicture();
    for (auto _ : state) {
        Image image = picture;
        mapPalette(image, target);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_MapPalette)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vask::bench
