#pragma once

#include "engine/parallel/bands.h"

#include <algorithm>
#include <exception>
#include <mutex>

namespace vask {

// forEachBand for work that may throw (a scratch buffer that cannot be had): the first
// exception of any band is thrown again on the caller's thread once all bands are done.
template <typename Work> void forEachBandOrThrow(int rows, Work&& work, int minRowsPerBand)
{
    std::mutex mutex;
    std::exception_ptr failure;
    forEachBand(
        rows,
        [&](int first, int end) {
            try {
                work(first, end);
            } catch (...) {
                std::lock_guard lock(mutex);
                if (!failure)
                    failure = std::current_exception();
            }
        },
        minRowsPerBand);
    if (failure)
        std::rethrow_exception(failure);
}

// Work split into one slice per thread, so each slice can own scratch state (a histogram, a
// NearestColour) without sharing: sliceCount says how many to prepare, forEachSlice runs
// work(slice, begin, end) over [0, total) and returns when all are done.
inline int sliceCount(long total, long minPerSlice)
{
    const long wanted = total / std::max(1L, minPerSlice);
    return static_cast<int>(std::clamp<long>(wanted, 1, bandThreadCount()));
}

template <typename Work> void forEachSlice(int total, int slices, Work&& work)
{
    forEachBandOrThrow(
        slices,
        [&](int first, int end) {
            for (int s = first; s < end; ++s)
                work(s, static_cast<int>(long(total) * s / slices),
                     static_cast<int>(long(total) * (s + 1) / slices));
        },
        1);
}

} // namespace vask
