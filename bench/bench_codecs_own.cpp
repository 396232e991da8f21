#include "bench/bench_pictures.h"
#include "engine/codecs/bmp_codec.h"
#include "engine/codecs/pcx_codec.h"
#include "engine/codecs/tga_codec.h"

#include <benchmark/benchmark.h>

namespace vask {
namespace {

// The files the decode benchmarks read, written once from the shared pictures.
const Bytes& bmpFile24()
{
    static const Bytes file = encodeBmp(bench::benchPicture());
    return file;
}

const Bytes& tgaFile24()
{
    static const Bytes file = encodeTga(bench::benchPicture());
    return file;
}

const Bytes& pcxFile24()
{
    static const Bytes file = encodePcx(bench::benchPicture());
    return file;
}

const Bytes& pcxFile8()
{
    static const Bytes file = encodePcx(bench::benchPalettePicture());
    return file;
}

template <typename Encode> void runEncode(benchmark::State& state, const Image& picture, Encode encode)
{
    for (auto _ : state) {
        Bytes file = encode(picture);
        benchmark::DoNotOptimize(file.data());
    }
}

template <typename Decode> void runDecode(benchmark::State& state, const Bytes& file, Decode decode)
{
    for (auto _ : state) {
        Image picture = decode(file);
        benchmark::DoNotOptimize(picture.bits());
    }
}

void BM_BmpEncode24(benchmark::State& state)
{
    runEncode(state, bench::benchPicture(), [](const Image& p) { return encodeBmp(p); });
}
void BM_BmpDecode24(benchmark::State& state)
{
    runDecode(state, bmpFile24(), decodeBmp);
}
void BM_TgaEncode24(benchmark::State& state)
{
    runEncode(state, bench::benchPicture(), [](const Image& p) { return encodeTga(p); });
}
void BM_TgaDecode24(benchmark::State& state)
{
    runDecode(state, tgaFile24(), decodeTga);
}
void BM_PcxEncode24(benchmark::State& state)
{
    runEncode(state, bench::benchPicture(), [](const Image& p) { return encodePcx(p); });
}
void BM_PcxDecode24(benchmark::State& state)
{
    runDecode(state, pcxFile24(), decodePcx);
}
void BM_PcxEncode8(benchmark::State& state)
{
    runEncode(state, bench::benchPalettePicture(), [](const Image& p) { return encodePcx(p); });
}
void BM_PcxDecode8(benchmark::State& state)
{
    runDecode(state, pcxFile8(), decodePcx);
}

BENCHMARK(BM_BmpEncode24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BmpDecode24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TgaEncode24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TgaDecode24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PcxEncode24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PcxDecode24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PcxEncode8)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PcxDecode8)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace vask
