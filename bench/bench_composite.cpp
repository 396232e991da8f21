#include "bench/bench_pictures.h"

#include "engine/image/create_image.h"
#include "engine/ops/composite/mask_images.h"
#include "engine/parallel/bands.h"

#include <cstring>

namespace vask::bench {
namespace {

// The blend's other two pictures: the bench picture upside down as the destination and a
// left-to-right grey ramp as the mask, all 6000 x 4000.
struct BlendPictures {
    Image destination;
    Image mask;
};

const BlendPictures& blendPictures()
{
    static const BlendPictures pictures = [] {
        const Image& picture = benchPicture();
        BlendPictures p{Image(kBenchWidth, kBenchHeight, 24), Image(kBenchWidth, kBenchHeight, 24)};
        forEachBand(kBenchHeight, [&](int first, int end) {
            for (int y = first; y < end; ++y) {
                std::memcpy(p.destination.row(y), picture.row(kBenchHeight - 1 - y), kBenchWidth * 4);
                for (int x = 0; x < kBenchWidth; ++x) {
                    const unsigned level = 255 - x * 255 / (kBenchWidth - 1);
                    p.mask.rgbRow(y)[x] = packRgb(level, level, level);
                }
            }
        });
        return p;
    }();
    return pictures;
}

// The blend works in place, so every run first restores the destination: the time is blend
// plus copy; BM_PictureRefill is the copy alone.
[[maybe_unused]] const bool kRegistered = [] {
    registerBenchmark("BM_MaskImagesSameSize", [](benchmark::State& state) {
        const BlendPictures& pictures = blendPictures();
        const Image& source = benchPicture();
        runInPlace(state, EachRun::Refill, pictures.destination,
                   [&](Image& destination) { maskImages(destination, source, pictures.mask); });
    });
    return true;
}();

} // namespace
} // namespace vask::bench
