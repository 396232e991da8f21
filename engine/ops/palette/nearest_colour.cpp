#include "engine/ops/palette/nearest_colour.h"

#include <algorithm>
#include <climits>

namespace vask {

NearestColour::NearestColour(const std::vector<Rgb>& palette)
    : m_palette(palette.begin(), palette.begin() + std::min<std::size_t>(palette.size(), 256)),
      m_cells(std::size_t(1) << 16, 0)
{
    for (std::size_t i = 0; i < m_palette.size(); ++i) {
        const Rgb colour = m_palette[i] & 0xFFFFFFu;
        bool seen = false;
        for (std::size_t j = 0; j < i && !seen; ++j)
            seen = (m_palette[j] & 0xFFFFFFu) == colour;
        if (seen)
            continue;
        m_red.push_back(static_cast<std::int32_t>(redOf(colour)));
        m_green.push_back(static_cast<std::int32_t>(greenOf(colour)));
        m_blue.push_back(static_cast<std::int32_t>(blueOf(colour)));
        m_distinctIndex.push_back(static_cast<std::uint8_t>(i));
    }
    m_scratchMin.resize(m_red.size());
    m_scratchMax.resize(m_red.size());
    if (m_red.size() <= 1)
        std::fill(m_cells.begin(), m_cells.end(), kSingle);
    // Offset 0 means "not yet asked", so the lists start at 1.
    m_candidates.push_back(0);
}

std::uint32_t NearestColour::fillCell(unsigned cell)
{
    const std::int32_t r0 = static_cast<std::int32_t>(cell >> 11) << 3, r1 = r0 + 7;
    const std::int32_t g0 = static_cast<std::int32_t>((cell >> 5) & 63) << 2, g1 = g0 + 3;
    const std::int32_t b0 = static_cast<std::int32_t>(cell & 31) << 3, b1 = b0 + 7;
    const std::size_t n = m_red.size();
    const std::int32_t* red = m_red.data();
    const std::int32_t* green = m_green.data();
    const std::int32_t* blue = m_blue.data();
    std::int32_t* minDistance = m_scratchMin.data();
    std::int32_t* maxDistance = m_scratchMax.data();
    // Per channel: distance to the box (0 inside) and to its farthest face.
    for (std::size_t i = 0; i < n; ++i) {
        const std::int32_t dr = std::max({r0 - red[i], red[i] - r1, 0});
        const std::int32_t dg = std::max({g0 - green[i], green[i] - g1, 0});
        const std::int32_t db = std::max({b0 - blue[i], blue[i] - b1, 0});
        const std::int32_t fr = std::max(red[i] - r0, r1 - red[i]);
        const std::int32_t fg = std::max(green[i] - g0, g1 - green[i]);
        const std::int32_t fb = std::max(blue[i] - b0, b1 - blue[i]);
        minDistance[i] = dr * dr + dg * dg + db * db;
        maxDistance[i] = fr * fr + fg * fg + fb * fb;
    }
    std::int32_t bound = INT_MAX;
    for (std::size_t i = 0; i < n; ++i)
        bound = std::min(bound, maxDistance[i]);
    std::size_t count = 0, last = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (minDistance[i] <= bound) {
            ++count;
            last = i;
        }
    if (count == 1) {
        m_cells[cell] = kSingle | m_distinctIndex[last];
        return m_cells[cell];
    }
    const auto offset = static_cast<std::uint32_t>(m_candidates.size());
    m_candidates.push_back(static_cast<std::uint32_t>(count));
    for (std::size_t i = 0; i < n; ++i)
        if (minDistance[i] <= bound)
            m_candidates.push_back(std::uint32_t(m_distinctIndex[i]) << 24 |
                                   static_cast<std::uint32_t>(red[i] << 16 | green[i] << 8 | blue[i]));
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
    std::int32_t best = INT_MAX;
    std::uint32_t bestWord = 0;
    // Candidates are in index order, so a strict < keeps the lower index on a tie.
    for (std::uint32_t i = 1; i <= count; ++i) {
        const std::uint32_t word = list[i];
        const std::int32_t dr = static_cast<std::int32_t>((word >> 16) & 0xFF) - static_cast<std::int32_t>(r);
        const std::int32_t dg = static_cast<std::int32_t>((word >> 8) & 0xFF) - static_cast<std::int32_t>(g);
        const std::int32_t db = static_cast<std::int32_t>(word & 0xFF) - static_cast<std::int32_t>(b);
        const std::int32_t d = dr * dr + dg * dg + db * db;
        if (d < best) {
            best = d;
            bestWord = word;
        }
    }
    return static_cast<std::uint8_t>(bestWord >> 24);
}

} // namespace vask
