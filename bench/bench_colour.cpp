#include "bench/bench_pictures.h"

#include "engine/ops/colour/greyscale.h"
#include "engine/ops/colour/negate.h"
#include "engine/ops/colour/separations.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace vask::bench {
namespace {

// The in-place operations run on one working copy, refilled from the shared picture by a
// memcpy inside the timing; BM_ColourRefill measures that refill alone.
Image& workingCopy()
{
    static Image image = benchPicture();
    return image;
}

void refill(Image& image)
{
    std::memcpy(image.bits(), benchPicture().bits(), image.byteCount());
}

void BM_ColourRefill(benchmark::State& state)
{
    Image& image = workingCopy();
    for (auto _ : state) {
        refill(image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ColourRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

// Negation costs the same on any pixels, so it runs on the same copy again and again.
void BM_NegateImage(benchmark::State& state)
{
    Image& image = workingCopy();
    for (auto _ : state) {
        negateImage(image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_NegateImage)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_GreyScaleImageWithRefill(benchmark::State& state)
{
    Image& image = workingCopy();
    for (auto _ : state) {
        refill(image);
        greyScaleImage(image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_GreyScaleImageWithRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

void separate(benchmark::State& state, ColourModel model)
{
    const Image& picture = benchPicture();
    for (auto _ : state) {
        std::vector<Image> planes = colorSeparate(picture, model);
        benchmark::DoNotOptimize(planes.data());
    }
}

void BM_SeparateRgb(benchmark::State& state)
{
    separate(state, ColourModel::Rgb);
}
BENCHMARK(BM_SeparateRgb)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SeparateCmyk(benchmark::State& state)
{
    separate(state, ColourModel::Cmyk);
}
BENCHMARK(BM_SeparateCmyk)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SeparateHsv(benchmark::State& state)
{
    separate(state, ColourModel::Hsv);
}
BENCHMARK(BM_SeparateHsv)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SeparateHls(benchmark::State& state)
{
    separate(state, ColourModel::Hls);
}
BENCHMARK(BM_SeparateHls)->Unit(benchmark::kMillisecond)->UseRealTime();

void merge(benchmark::State& state, ColourModel model)
{
    const std::vector<Image> planes = colorSeparate(benchPicture(), model);
    for (auto _ : state) {
        Image image = colorMerge(planes, model);
        benchmark::DoNotOptimize(image.bits());
    }
}

void BM_MergeRgb(benchmark::State& state)
{
    merge(state, ColourModel::Rgb);
}
BENCHMARK(BM_MergeRgb)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MergeHsv(benchmark::State& state)
{
    merge(state, ColourModel::Hsv);
}
BENCHMARK(BM_MergeHsv)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vask::bench
