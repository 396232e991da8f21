#pragma once

#include "engine/image/pixel.h"

#include <cstdint>
#include <vector>

namespace vask {

// Finds the palette entry nearest to a colour (squared RGB distance, ties to the lower
// index). Exact for every query; answers are cached per 6-6-6 cell the first time one is
// asked for, so repeated colours cost a table read. Not thread-safe: give each band its own
// (a copy of a warmed-up finder keeps its cache). Holds a 1 MB table.
//
// How: the colour cube is cut into 64 x 64 x 64 cells of 4 levels a side. The first query in a
// cell lists the entries that can be nearest to any colour of that cell: an entry qualifies
// when its smallest distance to the cell is at most the smallest largest distance of any
// entry to the cell, which the nearest entry of every colour in the cell passes, ties
// included. The same test on blocks of 4 x 4 x 4 cells first narrows the whole palette to a
// short list, so a new cell costs a few dozen distances, not 256. A cell with one candidate
// (most of them) stores the answer itself; otherwise a query measures its candidates, rarely
// more than three. Identical entries count once, at their lowest index. Only the first 256
// entries are used; an empty palette answers 0.
class NearestColour {
public:
    explicit NearestColour(const std::vector<Rgb>& palette);

    std::uint8_t indexOf(unsigned r, unsigned g, unsigned b)
    {
        const unsigned cell = ((r >> kRedShift) << (kGreenBits + kBlueBits)) |
                              ((g >> kGreenShift) << kBlueBits) | (b >> kBlueShift);
        const std::uint32_t known = m_cells[cell];
        if (known & kSingle)
            return static_cast<std::uint8_t>(known);
        return searchCell(r, g, b, cell, known);
    }
    std::uint8_t indexOf(Rgb colour) { return indexOf(redOf(colour), greenOf(colour), blueOf(colour)); }

private:
    // Cell grid: 8 - shift bits of each channel.
    static constexpr int kRedShift = 2, kGreenShift = 2, kBlueShift = 2;
    static constexpr int kGreenBits = 8 - kGreenShift, kBlueBits = 8 - kBlueShift;
    static constexpr int kCellBits = 24 - kRedShift - kGreenShift - kBlueShift;

    // A cell word is 0 before its first query, kSingle | index when one entry serves the whole
    // cell, otherwise the offset of its candidate list in m_candidates.
    static constexpr std::uint32_t kSingle = 0x80000000u;

    std::uint8_t searchCell(unsigned r, unsigned g, unsigned b, unsigned cell, std::uint32_t known);
    std::uint32_t fillCell(unsigned cell);
    std::uint32_t fillBlock(unsigned block);

    // Distinct entries (lowest index of each colour), channels apart so the block test
    // vectorises.
    std::vector<std::int32_t> m_red, m_green, m_blue;
    std::vector<std::uint8_t> m_distinctIndex;
    std::vector<std::int32_t> m_nearScratch, m_farScratch;
    // Per block of 4 x 4 x 4 cells: 0 or the offset in m_blockCandidates of a count followed by
    // that many positions in the distinct entries.
    std::vector<std::uint32_t> m_blocks;
    std::vector<std::uint16_t> m_blockCandidates;
    std::vector<std::uint32_t> m_cells;
    // Candidate lists: a count, then that many words index << 24 | 0xRRGGBB.
    std::vector<std::uint32_t> m_candidates;
};

} // namespace vask
