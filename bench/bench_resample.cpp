#include "bench/bench_pictures.h"

#include "engine/image/create_image.h"
#include "engine/ops/geometry/assign_image.h"
#include "engine/ops/geometry/resample.h"

#include <optional>

namespace vask::bench {
namespace {

struct ResampleBenchmark {
    const char* name;
    int width;
    int height;
    ResampleQuality quality;
};

// Each run makes a new picture, as the resample page does; the source is never changed.
constexpr ResampleBenchmark kResamples[] = {
    {"BM_ResampleHalfHigh", kBenchWidth / 2, kBenchHeight / 2, ResampleQuality::High},
    {"BM_ResampleHalfFast", kBenchWidth / 2, kBenchHeight / 2, ResampleQuality::Fast},
    {"BM_ResampleDoubleHigh", kBenchWidth * 2, kBenchHeight * 2, ResampleQuality::High},
};

// Draws the picture's area (all of it without one) over the same target each run.
void runAssign(benchmark::State& state, int width, int height, Rgb background, std::optional<Rect> area,
               ResizeMode resize)
{
    const Image target = createImage(24, width, height, background);
    const Image& picture = benchPicture();
    runInPlace(state, EachRun::Reuse, target, [&](Image& image) {
        assignImage(image, std::nullopt, picture, area, AssignMode::ResizeComposite, resize);
    });
}

[[maybe_unused]] const bool kRegistered = [] {
    for (const ResampleBenchmark& b : kResamples)
        registerProducing(b.name,
                          [b](const Image& p) { return resampleImage(p, b.width, b.height, b.quality); });
    // The resample page's way: a 3000 x 2000 target, the whole picture resized into it.
    registerBenchmark("BM_AssignResizeCompositeHigh", [](benchmark::State& state) {
        runAssign(state, kBenchWidth / 2, kBenchHeight / 2, packRgb(255, 255, 255), std::nullopt,
                  ResizeMode::ResampleFloatingAspect);
    });
    // The zoom's way: a 1920 x 1080 window showing a 2.5x enlarged part of the picture whose
    // area starts left of it, by pixel replication.
    registerBenchmark("BM_AssignResizeCompositeZoom", [](benchmark::State& state) {
        runAssign(state, 1920, 1080, packRgb(0, 0, 0), Rect{-27, 1000, 768, 432},
                  ResizeMode::ReplicateFixedAspect);
    });
    return true;
}();

} // namespace
} // namespace vask::bench
