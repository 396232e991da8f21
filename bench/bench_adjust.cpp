#include "bench/bench_pictures.h"

#include "engine/ops/adjust/adjustments.h"
#include "engine/ops/adjust/equalize.h"
#include "engine/ops/adjust/histogram.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace vask::bench {
namespace {

// One working copy of the shared picture. Brightness, hue and saturation cost the same on
// any pixels, so they run on it again and again; equalisation depends on the pixels, so
// each of its runs refills the copy first, and BM_AdjustRefill measures that refill alone.
Image& workingCopy()
{
    static Image image = benchPicture();
    return image;
}

void refill(Image& image)
{
    std::memcpy(image.bits(), benchPicture().bits(), image.byteCount());
}

void BM_AdjustRefill(benchmark::State& state)
{
    Image& image = workingCopy();
    for (auto _ : state) {
        refill(image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_AdjustRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ComputeHistogramLuminance(benchmark::State& state)
{
    const Image& picture = benchPicture();
    for (auto _ : state) {
        Histogram histogram = computeHistogram(picture, 0);
        benchmark::DoNotOptimize(histogram.data());
    }
}
BENCHMARK(BM_ComputeHistogramLuminance)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ComputeHistogramRed(benchmark::State& state)
{
    const Image& picture = benchPicture();
    for (auto _ : state) {
        Histogram histogram = computeHistogram(picture, 1);
        benchmark::DoNotOptimize(histogram.data());
    }
}
BENCHMARK(BM_ComputeHistogramRed)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HistogramEqualizeWithRefill(benchmark::State& state)
{
    Image& image = workingCopy();
    for (auto _ : state) {
        refill(image);
        histogramEqualize(image);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_HistogramEqualizeWithRefill)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChangeBrightness(benchmark::State& state)
{
    Image& image = workingCopy();
    for (auto _ : state) {
        changeBrightness(image, 100);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ChangeBrightness)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChangeHue(benchmark::State& state)
{
    Image& image = workingCopy();
    refill(image);
    for (auto _ : state) {
        changeHue(image, 37);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ChangeHue)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ChangeSaturation(benchmark::State& state)
{
    Image& image = workingCopy();
    refill(image);
    for (auto _ : state) {
        changeSaturation(image, 300);
        benchmark::DoNotOptimize(image.bits());
    }
}
BENCHMARK(BM_ChangeSaturation)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vask::bench
