#include "bench/bench_pictures.h"

#include "engine/ops/palette/reduce_colors.h"
#include "engine/parallel/bands.h"

#include <cmath>
#include <memory>

namespace vask::bench {

const Image& benchPicture()
{
    static const Image picture = [] {
        Image image(kBenchWidth, kBenchHeight, 24);
        forEachBand(kBenchHeight, [&](int first, int end) {
            for (int y = first; y < end; ++y) {
                Rgb* row = image.rgbRow(y);
                for (int x = 0; x < kBenchWidth; ++x) {
                    // Smooth shading, a few hard-edged discs and a fine ripple.
                    const double fx = x / double(kBenchWidth), fy = y / double(kBenchHeight);
                    int r = int(200 * fx + 30 * std::sin(y * 0.05));
                    int g = int(180 * fy + 40 * std::sin((x + y) * 0.013));
                    int b = int(120 + 100 * std::sin(fx * 9) * std::cos(fy * 7));
                    const int cx = (x / 1000) * 1000 + 500, cy = (y / 1000) * 1000 + 500;
                    if ((x - cx) * (x - cx) + (y - cy) * (y - cy) < 300 * 300) {
                        r = 255 - r;
                        b = (b + 90) & 0xFF;
                    }
                    const int noise = int((x * 2654435761u ^ y * 2246822519u) >> 28) - 8;
                    row[x] = packRgb(clampToByte(r + noise), clampToByte(g + noise), clampToByte(b - noise));
                }
            }
        });
        return image;
    }();
    return picture;
}

const Image& benchPalettePicture()
{
    static const Image picture = [] {
        Image image = benchPicture();
        reduceColors(image, 256, true, false, false);
        return image;
    }();
    return picture;
}

namespace {

void registerCodec(const CodecBenchmark& codec)
{
    registerBenchmark(codec.encodeName, [codec](benchmark::State& state) {
        const Image& picture = codec.picture();
        std::size_t size = 0;
        runProducing(state, picture, [&](const Image& p) {
            Bytes file = codec.encode(p);
            size = file.size();
            return file;
        });
        state.counters["MB"] = double(size) / 1e6;
    });
    if (codec.decodeName == nullptr)
        return;
    auto file = std::make_shared<Bytes>();
    registerBenchmark(codec.decodeName, [codec, file](benchmark::State& state) {
        if (file->empty())
            *file = codec.encode(codec.picture());
        runProducing(state, ByteSpan(*file), codec.decode);
    });
}

} // namespace

bool registerCodecs(std::span<const CodecBenchmark> codecs)
{
    for (const CodecBenchmark& codec : codecs)
        registerCodec(codec);
    return true;
}

namespace {

// The preparation the in-place benchmarks include in their times, to subtract from them: a
// memcpy of the 24-bit picture into the same buffer, and a new copy of it.
[[maybe_unused]] const bool kRegistered = [] {
    registerInPlace("BM_PictureRefill", EachRun::Refill, [](Image&) {});
    registerInPlace("BM_PictureCopy", EachRun::Copy, [](Image&) {});
    return true;
}();

} // namespace

} // namespace vask::bench
