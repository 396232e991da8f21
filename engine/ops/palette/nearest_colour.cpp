#include "engine/ops/palette/nearest_colour.h"

#include <algorithm>
#include <climits>

namespace vask {
namespace {

// A block is 4 x 4 x 4 cells.
constexpr int kBlockCells = 4;

// Squared distances from a value to the range [lo, hi]: the nearest point (0 inside) and the
// farthest end.
inline std::int32_t nearPart(std::int32_t v, std::int32_t lo, std::int32_t hi)
{
    const std::int32_t d = std::max(std::max(lo - v, v - hi), 0);
    return d * d;
}
inline std::int32_t farPart(std::int32_t v, std::int32_t lo, std::int32_t hi)
{
    const std::int32_t d = std::max(v - lo, hi - v);
    return d * d;
}

} // namespace

NearestColour::NearestColour(const std::vector<Rgb>& palette) : m_cells(std::size_t(1) << kCellBits, 0)
{
    const std::size_t n = std::min<std::size_t>(palette.size(), 256);
    for (std::size_t i = 0; i < n; ++i) {
        const Rgb colour = palette[i] & 0xFFFFFFu;
        bool seen = false;
        for (std::size_t j = 0; j < i && !seen; ++j)
            seen = (palette[j] & 0xFFFFFFu) == colour;
        if (seen)
            continue;
        m_red.push_back(static_cast<std::int32_t>(redOf(colour)));
        m_green.push_back(static_cast<std::int32_t>(greenOf(colour)));
        m_blue.push_back(static_cast<std::int32_t>(blueOf(colour)));
        m_distinctIndex.push_back(static_cast<std::uint8_t>(i));
    }
    m_nearScratch.resize(m_red.size());
    m_farScratch.resize(m_red.size());
    if (m_red.size() <= 1)
        std::fill(m_cells.begin(), m_cells.end(), kSingle);
    const int blocks = (1 << kCellBits) / (kBlockCells * kBlockCells * kBlockCells);
    m_blocks.assign(blocks, 0);
    // Offset 0 means "not yet asked", so the lists start at 1.
    m_blockCandidates.push_back(0);
    m_candidates.push_back(0);
}

std::uint32_t NearestColour::fillBlock(unsigned block)
{
    constexpr int kCellRed = 1 << kRedShift, kCellGreen = 1 << kGreenShift, kCellBlue = 1 << kBlueShift;
    constexpr unsigned kGreenBlocks = (1u << kGreenBits) / kBlockCells,
                       kBlueBlocks = (1u << kBlueBits) / kBlockCells;
    const std::int32_t r0 = std::int32_t(block / (kGreenBlocks * kBlueBlocks)) * kBlockCells * kCellRed;
    const std::int32_t g0 = std::int32_t(block / kBlueBlocks % kGreenBlocks) * kBlockCells * kCellGreen;
    const std::int32_t b0 = std::int32_t(block % kBlueBlocks) * kBlockCells * kCellBlue;
    const std::int32_t r1 = r0 + kBlockCells * kCellRed - 1, g1 = g0 + kBlockCells * kCellGreen - 1,
                       b1 = b0 + kBlockCells * kCellBlue - 1;
    const std::size_t n = m_red.size();
    const std::int32_t* red = m_red.data();
    const std::int32_t* green = m_green.data();
    const std::int32_t* blue = m_blue.data();
    std::int32_t* near = m_nearScratch.data();
    std::int32_t* far = m_farScratch.data();
    for (std::size_t i = 0; i < n; ++i) {
        near[i] = nearPart(red[i], r0, r1) + nearPart(green[i], g0, g1) + nearPart(blue[i], b0, b1);
        far[i] = farPart(red[i], r0, r1) + farPart(green[i], g0, g1) + farPart(blue[i], b0, b1);
    }
    std::int32_t bound = INT_MAX;
    for (std::size_t i = 0; i < n; ++i)
        bound = std::min(bound, far[i]);
    const auto offset = static_cast<std::uint32_t>(m_blockCandidates.size());
    m_blockCandidates.push_back(0);
    for (std::size_t i = 0; i < n; ++i)
        if (near[i] <= bound)
            m_blockCandidates.push_back(static_cast<std::uint16_t>(i));
    m_blockCandidates[offset] = static_cast<std::uint16_t>(m_blockCandidates.size() - offset - 1);
    m_blocks[block] = offset;
    return offset;
}

std::uint32_t NearestColour::fillCell(unsigned cell)
{
    constexpr int kCellRed = 1 << kRedShift, kCellGreen = 1 << kGreenShift, kCellBlue = 1 << kBlueShift;
    const unsigned cr = cell >> (kGreenBits + kBlueBits), cg = (cell >> kBlueBits) & ((1u << kGreenBits) - 1),
                   cb = cell & ((1u << kBlueBits) - 1);
    const unsigned block = ((cr / kBlockCells) * ((1u << kGreenBits) / kBlockCells) + cg / kBlockCells) *
                               ((1u << kBlueBits) / kBlockCells) +
                           cb / kBlockCells;
    const std::uint32_t blockOffset = m_blocks[block] != 0 ? m_blocks[block] : fillBlock(block);
    // Every colour of the cell lies in the block, so its nearest entry is on the block's list;
    // measuring the cell against that list alone keeps the test exact.
    const std::uint16_t* list = m_blockCandidates.data() + blockOffset + 1;
    const int count = m_blockCandidates[blockOffset];
    const std::int32_t r0 = std::int32_t(cr) * kCellRed, r1 = r0 + kCellRed - 1;
    const std::int32_t g0 = std::int32_t(cg) * kCellGreen, g1 = g0 + kCellGreen - 1;
    const std::int32_t b0 = std::int32_t(cb) * kCellBlue, b1 = b0 + kCellBlue - 1;
    std::int32_t* near = m_nearScratch.data();
    std::int32_t bound = INT_MAX;
    for (int k = 0; k < count; ++k) {
        const int i = list[k];
        near[k] = nearPart(m_red[i], r0, r1) + nearPart(m_green[i], g0, g1) + nearPart(m_blue[i], b0, b1);
        bound = std::min(bound, farPart(m_red[i], r0, r1) + farPart(m_green[i], g0, g1) +
                                    farPart(m_blue[i], b0, b1));
    }
    int candidates = 0, last = 0;
    for (int k = 0; k < count; ++k)
        if (near[k] <= bound) {
            ++candidates;
            last = list[k];
        }
    if (candidates == 1) {
        m_cells[cell] = kSingle | m_distinctIndex[last];
        return m_cells[cell];
    }
    const auto offset = static_cast<std::uint32_t>(m_candidates.size());
    m_candidates.push_back(static_cast<std::uint32_t>(candidates));
    for (int k = 0; k < count; ++k)
        if (near[k] <= bound) {
            const int i = list[k];
            m_candidates.push_back(std::uint32_t(m_distinctIndex[i]) << 24 |
                                   static_cast<std::uint32_t>(m_red[i] << 16 | m_green[i] << 8 | m_blue[i]));
        }
    m_cells[cell] = offset;
    return offset;
}

std::uint8_t NearestColour::searchCell(unsigned r, unsigned g, unsigned b, unsigned cell, std::uint32_t known)
{
    if (known == 0) {
        known = fillCell(cell);
        if (known & kSingle)
            return static_cast<std::uint8_t>(known);
    }
    const std::uint32_t* list = m_candidates.data() + known;
    const std::uint32_t count = list[0];
    // Distance and index in one key (distance <= 3 x 255^2 < 2^18): the smallest key is the
    // nearest entry, and on equal distances the lower index, without a branch.
    std::uint32_t best = UINT32_MAX;
    for (std::uint32_t i = 1; i <= count; ++i) {
        const std::uint32_t word = list[i];
        const std::int32_t dr = static_cast<std::int32_t>((word >> 16) & 0xFF) - static_cast<std::int32_t>(r);
        const std::int32_t dg = static_cast<std::int32_t>((word >> 8) & 0xFF) - static_cast<std::int32_t>(g);
        const std::int32_t db = static_cast<std::int32_t>(word & 0xFF) - static_cast<std::int32_t>(b);
        const auto d = static_cast<std::uint32_t>(dr * dr + dg * dg + db * db);
        best = std::min(best, d << 8 | word >> 24);
    }
    return static_cast<std::uint8_t>(best);
}

} // namespace vask
