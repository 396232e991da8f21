#pragma once

#include "engine/image/image.h"

#include <cstdint>
#include <vector>

namespace vask {

// How often each colour occurs in a picture, on a 64 x 64 x 64 grid (the two low bits of each
// channel dropped). Each cell keeps its pixel count and the exact sums of its pixels' channels
// and squared channels, so means and variances are exact, only their grouping is coarse.
struct ColourHistogram {
    static constexpr int kLevels = 64;
    static constexpr int kCells = kLevels * kLevels * kLevels;
    static int cellOf(unsigned r, unsigned g, unsigned b)
    {
        return int((r >> 2) << 12 | (g >> 2) << 6 | (b >> 2));
    }

    struct Cell {
        std::uint64_t red = 0, green = 0, blue = 0, squares = 0;
        std::uint64_t count = 0;
    };
    std::vector<Cell> cells;
    // The cells with pixels, in ascending order.
    std::vector<std::int32_t> used;
};

// Counts a picture of any depth (palette pictures through their palette). Runs on all cores.
ColourHistogram colourHistogram(const Image& image);

// Up to count colours that minimise the summed squared error over the histogram: boxes of the
// grid are cut greedily where the variance drops most (Wu's method), then refined by a few
// k-means passes over the cell means. Fewer colours when fewer cells are occupied.
std::vector<Rgb> varianceCutPalette(const ColourHistogram& histogram, int count);

} // namespace vask
