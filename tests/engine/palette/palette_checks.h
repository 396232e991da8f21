#pragma once

#include "engine/image/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <tuple>
#include <vector>

namespace vask::test {

// The nearest of the first count entries by squared distance, ties to the lower index, found
// by trying every entry.
inline int bruteForceNearest(const std::vector<Rgb>& palette, Rgb colour, std::size_t count = 256)
{
    int best = 0, bestDistance = INT_MAX;
    for (std::size_t i = 0; i < std::min(count, palette.size()); ++i) {
        int distance = 0;
        for (const int shift : {0, 8, 16}) {
            const int d = int((palette[i] >> shift) & 0xFF) - int((colour >> shift) & 0xFF);
            distance += d * d;
        }
        if (distance < bestDistance)
            std::tie(best, bestDistance) = std::pair{int(i), distance};
    }
    return best;
}

// Fails at the first pixel whose index is not the entry nearest to the source's colour.
inline void expectNearestEverywhere(const Image& mapped, const Image& source, std::size_t count = 256)
{
    for (int y = 0; y < mapped.height(); ++y)
        for (int x = 0; x < mapped.width(); ++x)
            ASSERT_EQ(mapped.pixelIndex(x, y),
                      bruteForceNearest(mapped.palette(), source.pixelColour(x, y), count))
                << "pixel " << x << "," << y;
}

} // namespace vask::test
