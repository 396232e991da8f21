#include "bench/bench_pictures.h"

#include "engine/ops/geometry/mirror.h"
#include "engine/ops/geometry/rotate.h"

namespace vask::bench {
namespace {

struct MirrorBenchmark {
    const char* name;
    bool horizontal;
    bool vertical;
};

constexpr MirrorBenchmark kMirrors[] = {
    {"BM_MirrorHorizontal", true, false}, {"BM_MirrorVertical", false, true}, {"BM_MirrorBoth", true, true}};

[[maybe_unused]] const bool kRegistered = [] {
    // Mirroring costs the same on any pixels and undoes itself, so it runs on its own output.
    for (const MirrorBenchmark& b : kMirrors)
        registerInPlace(b.name, EachRun::Reuse,
                        [b](Image& image) { mirrorImage(image, b.horizontal, b.vertical); });
    // Each run is one quarter turn, alternately anticlockwise and back, into a new canvas.
    registerInPlace("BM_Rotate90", EachRun::Reuse, [back = false](Image& image) mutable {
        rotateImage(image, back ? -90 : 90, 0);
        back = !back;
    });
    // The rotated picture is larger, so each run starts from a new copy of the source.
    registerInPlace("BM_Rotate7_5WithFillAndCopy", EachRun::Copy,
                    [](Image& image) { rotateImage(image, 7.5, packRgb(255, 0, 255)); });
    return true;
}();

} // namespace
} // namespace vask::bench
