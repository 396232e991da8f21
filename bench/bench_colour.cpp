#include "bench/bench_pictures.h"

#include "engine/ops/colour/greyscale.h"
#include "engine/ops/colour/negate.h"
#include "engine/ops/colour/separations.h"

#include <vector>

namespace vask::bench {
namespace {

struct ModelBenchmark {
    const char* name;
    ColourModel model;
};

constexpr ModelBenchmark kSeparations[] = {{"BM_SeparateRgb", ColourModel::Rgb},
                                           {"BM_SeparateCmyk", ColourModel::Cmyk},
                                           {"BM_SeparateHsv", ColourModel::Hsv},
                                           {"BM_SeparateHls", ColourModel::Hls}};

// Each merge starts from the planes of the shared picture, made before the timing.
constexpr ModelBenchmark kMerges[] = {{"BM_MergeRgb", ColourModel::Rgb}, {"BM_MergeHsv", ColourModel::Hsv}};

[[maybe_unused]] const bool kRegistered = [] {
    // Negation costs the same on any pixels, so it runs on its own output again and again.
    registerInPlace("BM_NegateImage", EachRun::Reuse, [](Image& image) { negateImage(image); });
    registerInPlace("BM_GreyScaleImageWithRefill", EachRun::Refill,
                    [](Image& image) { greyScaleImage(image); });
    for (const ModelBenchmark& b : kSeparations)
        registerProducing(b.name, [model = b.model](const Image& p) { return colorSeparate(p, model); });
    for (const ModelBenchmark& b : kMerges) {
        registerBenchmark(b.name, [model = b.model](benchmark::State& state) {
            const std::vector<Image> planes = colorSeparate(benchPicture(), model);
            runProducing(state, planes,
                         [model](const std::vector<Image>& p) { return colorMerge(p, model); });
        });
    }
    return true;
}();

} // namespace
} // namespace vask::bench
