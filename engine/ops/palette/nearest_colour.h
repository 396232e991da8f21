#pragma once

#include "engine/image/pixel.h"

#include <cstdint>
#include <vector>

namespace vask {

// Finds the palette entry nearest to a colour (squared RGB distance, ties to the lower
// index). Exact for every query; answers are cached per 5-6-5 cell the first time one is
// asked for, so repeated colours cost a table read. Not thread-safe: give each band its own.
class NearestColour {
public:
    explicit NearestColour(const std::vector<Rgb>& palette);
    std::uint8_t indexOf(unsigned r, unsigned g, unsigned b);
    std::uint8_t indexOf(Rgb colour) { return indexOf(redOf(colour), greenOf(colour), blueOf(colour)); }

private:
    // implementation detail, chosen by the palette module
    std::vector<Rgb> m_palette;
    std::vector<std::int16_t> m_cache;
    std::vector<std::vector<std::uint8_t>> m_cellCandidates;
};

} // namespace vask
