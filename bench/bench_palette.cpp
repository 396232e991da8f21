#include "bench/bench_pictures.h"

#include "engine/ops/palette/map_palette.h"
#include "engine/ops/palette/reduce_colors.h"

namespace vask::bench {
namespace {

struct ReduceBenchmark {
    const char* name;
    int count;
    bool optimise;
    bool dither;
    bool bleed;
};

constexpr ReduceBenchmark kReductions[] = {
    {"BM_ReduceColors256OptimisedDithered", 256, true, true, false},
    {"BM_ReduceColors256OptimisedDitheredBleed", 256, true, true, true},
    {"BM_ReduceColors256Optimised", 256, true, false, false},
    {"BM_ReduceColors16Dithered", 16, false, true, false},
};

// reduceColors and mapPalette replace the picture with an 8-bit one, so each run starts from
// a new copy of the 24-bit picture.
[[maybe_unused]] const bool kRegistered = [] {
    for (const ReduceBenchmark& b : kReductions)
        registerInPlace(b.name, EachRun::Copy,
                        [b](Image& image) { reduceColors(image, b.count, b.optimise, b.dither, b.bleed); });
    registerProducing("BM_OptimisedPalette256", [](const Image& p) { return optimisedPalette(p, 256); });
    registerBenchmark("BM_MapPalette", [](benchmark::State& state) {
        const Image& target = benchPalettePicture();
        runInPlace(state, EachRun::Copy, benchPicture(), [&](Image& image) { mapPalette(image, target); });
    });
    return true;
}();

} // namespace
} // namespace vask::bench
