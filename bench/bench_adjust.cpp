#include "bench/bench_pictures.h"

#include "engine/ops/adjust/adjustments.h"
#include "engine/ops/adjust/equalize.h"
#include "engine/ops/adjust/histogram.h"

namespace vask::bench {
namespace {

// Brightness, hue and saturation cost the same on any pixels, so they run on their own output
// again and again; equalisation depends on the pixels, so each of its runs refills the copy.
[[maybe_unused]] const bool kRegistered = [] {
    registerProducing("BM_ComputeHistogramLuminance", [](const Image& p) { return computeHistogram(p, 0); });
    registerProducing("BM_ComputeHistogramRed", [](const Image& p) { return computeHistogram(p, 1); });
    registerInPlace("BM_HistogramEqualizeWithRefill", EachRun::Refill,
                    [](Image& image) { histogramEqualize(image); });
    registerInPlace("BM_ChangeBrightness", EachRun::Reuse,
                    [](Image& image) { changeBrightness(image, 100); });
    registerInPlace("BM_ChangeHue", EachRun::Reuse, [](Image& image) { changeHue(image, 37); });
    registerInPlace("BM_ChangeSaturation", EachRun::Reuse,
                    [](Image& image) { changeSaturation(image, 300); });
    return true;
}();

} // namespace
} // namespace vask::bench
