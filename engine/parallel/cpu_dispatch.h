#pragma once

// The build targets plain x86-64 (SSE2, 4 lanes of 32 bits). Hot row loops also get copies
// for wider vectors, and the processor the program runs on picks one: 1.5 to 3 times faster
// on the heavier kernels. Every copy must compute the same values. There are two ways to mark
// a loop, both deciding on the processor's own feature report:
//
// - VASK_VECTOR_CLONES on a function: the compiler makes the copies and the loader binds the
//   best one. It adds AVX-512, whose copy fuses a float product with a following add, so it
//   is only for loops without that (integer loops, float division, products not added);
//   VASK_VECTOR_CLONES_UNFUSED stops at AVX2, which has no fused multiply-add.
// - VASK_TARGET_AVX2 (or VASK_TARGET_AVX2_GATHER) on a hand-made AVX2 copy, chosen by the
//   caller when cpuHasAvx2() says so: for loops that need their own tuning, or whose copy is
//   chosen once per picture outside the band loop rather than on every call.
//
// Off x86-64 the marks are empty and cpuHasAvx2() is false, so the AVX2 copies are plain
// code that is never chosen, and callers need no #if around them.

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define VASK_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#define VASK_VECTOR_CLONES_UNFUSED __attribute__((target_clones("avx2", "default")))
#else
#define VASK_VECTOR_CLONES
#define VASK_VECTOR_CLONES_UNFUSED
#endif

#if defined(__GNUC__) && defined(__x86_64__)
#define VASK_TARGET_AVX2 __attribute__((target("avx2")))
// AVX2 tuned for a processor with fast gathers: GCC's generic tuning avoids the gather
// instructions that a loop reading one table or picture place per lane needs to vectorise.
#define VASK_TARGET_AVX2_GATHER __attribute__((target("avx2,tune=icelake-server")))
#else
#define VASK_TARGET_AVX2
#define VASK_TARGET_AVX2_GATHER
#endif

namespace vask {

// Whether the processor runs AVX2 code; asked once per program, thread-safe.
inline bool cpuHasAvx2()
{
#if defined(__GNUC__) && defined(__x86_64__)
    static const bool has = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return has;
#else
    return false;
#endif
}

} // namespace vask
