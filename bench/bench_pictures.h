#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <span>
#include <utility>

namespace vask::bench {

constexpr int kBenchWidth = 6000;
constexpr int kBenchHeight = 4000;

// A 6000 x 4000 photograph-like 24-bit picture (smooth areas, edges and fine texture),
// made once and shared by every benchmark; copy it before changing it.
const Image& benchPicture();

// The same picture reduced to 8 bits with an optimised palette, made once.
const Image& benchPalettePicture();

// Where a benchmark's input picture comes from. It is asked for when the benchmark starts,
// outside the timing and never while registering, so listing the benchmarks makes no pictures.
using PictureSource = const Image& (*)();

// Registers fn(state) as benchmark name. Every benchmark here reports milliseconds of
// wall-clock time: the operations run on both cores, so CPU time would flatter them.
template <typename Function> void registerBenchmark(const char* name, Function fn)
{
    benchmark::RegisterBenchmark(name, std::move(fn))->Unit(benchmark::kMillisecond)->UseRealTime();
}

// A copy of a picture for operations that change theirs in place, made once outside the
// timing and restored with one memcpy into the same buffer.
class WorkingPicture {
public:
    explicit WorkingPicture(const Image& original) : m_original(original), m_image(original) {}

    Image& image() { return m_image; }

    // Back to the original pixels and palette; only an operation that changed the size or
    // depth costs a new allocation here.
    void refill()
    {
        if (m_image.width() != m_original.width() || m_image.height() != m_original.height() ||
            m_image.depth() != m_original.depth()) {
            m_image = m_original;
            return;
        }
        std::memcpy(m_image.bits(), m_original.bits(), m_image.byteCount());
        if (m_image.palette() != m_original.palette())
            m_image.setPalette(m_original.palette());
    }

private:
    const Image& m_original;
    Image m_image;
};

// What an in-place operation's picture gets before each run.
enum class EachRun {
    // Nothing: the operation costs the same on any pixels, so it runs on its own output.
    Reuse,
    // The original copied back into the same buffer, inside the timing (see BM_PictureRefill).
    Refill,
    // A new copy of the original, inside the timing, for operations that replace the picture
    // with one of another size or depth (see BM_PictureCopy).
    Copy,
};

// Times operation(image) on a copy of original, prepared before each run as eachRun says.
template <typename Operation>
void runInPlace(benchmark::State& state, EachRun eachRun, const Image& original, Operation operation)
{
    if (eachRun == EachRun::Copy) {
        for (auto _ : state) {
            Image image = original;
            operation(image);
            benchmark::DoNotOptimize(image.bits());
        }
        return;
    }
    WorkingPicture working(original);
    for (auto _ : state) {
        if (eachRun == EachRun::Refill)
            working.refill();
        operation(working.image());
        benchmark::DoNotOptimize(working.image().bits());
    }
}

// Times operation(input), which leaves input alone and makes something new each run (a
// picture, planes, a histogram, a file).
template <typename Input, typename Operation>
void runProducing(benchmark::State& state, const Input& input, Operation operation)
{
    for (auto _ : state) {
        auto result = operation(input);
        benchmark::DoNotOptimize(result);
    }
}

// Registers runInPlace on the picture from source as benchmark name.
template <typename Operation>
void registerInPlace(const char* name, EachRun eachRun, Operation operation,
                     PictureSource source = benchPicture)
{
    registerBenchmark(name,
                      [=](benchmark::State& state) { runInPlace(state, eachRun, source(), operation); });
}

// Registers runProducing on the picture from source as benchmark name.
template <typename Operation>
void registerProducing(const char* name, Operation operation, PictureSource source = benchPicture)
{
    registerBenchmark(name, [=](benchmark::State& state) { runProducing(state, source(), operation); });
}

// One codec measured in memory, with no disk time: encoding the picture into bytes (the
// file size in MB is reported as a counter), and decoding the file it makes, written once
// on first use. A null decodeName registers the encoding alone.
struct CodecBenchmark {
    const char* encodeName;
    const char* decodeName;
    PictureSource picture;
    Bytes (*encode)(const Image&);
    Image (*decode)(ByteSpan);
};

// Registers every codec's benchmarks, in order; returns true, so a file can register them
// while its statics are initialised.
bool registerCodecs(std::span<const CodecBenchmark> codecs);

} // namespace vask::bench
