#pragma once

// The build targets plain x86-64 (SSE2, 4 lanes of 32 bits). A row loop marked with one of
// these is also built for wider vectors, and the loader picks the copy the processor can run
// (1.5 to 3 times faster on the heavier kernels). Every copy must compute the same values:
// VASK_VECTOR_CLONES adds AVX-512, whose copy fuses a float product with a following add, so
// it is only for loops without that (integer loops, float division, products not added);
// VASK_VECTOR_CLONES_UNFUSED stops at AVX2, which has no fused multiply-add.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define VASK_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#define VASK_VECTOR_CLONES_UNFUSED __attribute__((target_clones("avx2", "default")))
#else
#define VASK_VECTOR_CLONES
#define VASK_VECTOR_CLONES_UNFUSED
#endif
