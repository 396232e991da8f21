// The codecs built on libtiff, libjpeg-turbo and libpng, in memory on the 6000 x 4000
// picture: no disk time is included, only encoding into bytes and decoding from them.

#include "bench/bench_pictures.h"
#include "engine/codecs/jpeg_codec.h"
#include "engine/codecs/png_codec.h"
#include "engine/codecs/tiff_codec.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vask;

template <typename Encode> void encodeLoop(benchmark::State& state, const Image& picture, Encode encode)
{
    std::size_t size = 0;
    for (auto _ : state) {
        Bytes bytes = encode(picture);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.counters["MB"] = double(size) / 1e6;
}

void decodeLoop(benchmark::State& state, const Bytes& file, Image (*decode)(ByteSpan))
{
    for (auto _ : state) {
        Image image = decode(file);
        benchmark::DoNotOptimize(image.bits());
    }
}

void TiffEncodeUncompressed(benchmark::State& state)
{
    encodeLoop(state, bench::benchPicture(), [](const Image& p) { return encodeTiff(p, 0); });
}
BENCHMARK(TiffEncodeUncompressed)->Unit(benchmark::kMillisecond)->UseRealTime();

void TiffDecodeUncompressed(benchmark::State& state)
{
    static const Bytes file = encodeTiff(bench::benchPicture(), 0);
    decodeLoop(state, file, decodeTiff);
}
BENCHMARK(TiffDecodeUncompressed)->Unit(benchmark::kMillisecond)->UseRealTime();

void TiffEncodeDeflate(benchmark::State& state)
{
    encodeLoop(state, bench::benchPicture(), [](const Image& p) { return encodeTiff(p, 1); });
}
BENCHMARK(TiffEncodeDeflate)->Unit(benchmark::kMillisecond)->UseRealTime();

void TiffDecodeDeflate(benchmark::State& state)
{
    static const Bytes file = encodeTiff(bench::benchPicture(), 1);
    decodeLoop(state, file, decodeTiff);
}
BENCHMARK(TiffDecodeDeflate)->Unit(benchmark::kMillisecond)->UseRealTime();

void TiffEncodePalettePackBits(benchmark::State& state)
{
    encodeLoop(state, bench::benchPalettePicture(), [](const Image& p) { return encodeTiff(p, 2); });
}
BENCHMARK(TiffEncodePalettePackBits)->Unit(benchmark::kMillisecond)->UseRealTime();

void JpegEncodeQuality75(benchmark::State& state)
{
    encodeLoop(state, bench::benchPicture(), [](const Image& p) { return encodeJpeg(p, 75, 0); });
}
BENCHMARK(JpegEncodeQuality75)->Unit(benchmark::kMillisecond)->UseRealTime();

void JpegDecodeQuality75(benchmark::State& state)
{
    static const Bytes file = encodeJpeg(bench::benchPicture(), 75, 0);
    decodeLoop(state, file, decodeJpeg);
}
BENCHMARK(JpegDecodeQuality75)->Unit(benchmark::kMillisecond)->UseRealTime();

void JpegEncodeProgressive(benchmark::State& state)
{
    encodeLoop(state, bench::benchPicture(), [](const Image& p) { return encodeJpeg(p, 75, 1); });
}
BENCHMARK(JpegEncodeProgressive)->Unit(benchmark::kMillisecond)->UseRealTime();

void PngEncode(benchmark::State& state)
{
    encodeLoop(state, bench::benchPicture(), [](const Image& p) { return encodePng(p, false); });
}
BENCHMARK(PngEncode)->Unit(benchmark::kMillisecond)->UseRealTime();

void PngDecode(benchmark::State& state)
{
    static const Bytes file = encodePng(bench::benchPicture(), false);
    decodeLoop(state, file, decodePng);
}
BENCHMARK(PngDecode)->Unit(benchmark::kMillisecond)->UseRealTime();

void PngEncodePalette(benchmark::State& state)
{
    encodeLoop(state, bench::benchPalettePicture(), [](const Image& p) { return encodePng(p, false); });
}
BENCHMARK(PngEncodePalette)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
