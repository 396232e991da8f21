#pragma once

#include "engine/image/image.h"

#include <array>
#include <cstdint>

namespace vask {

// A level mapping applied alike to red, green and blue.
using ChannelLut = std::array<std::uint8_t, 256>;

// Maps every channel of every pixel (24-bit, on all cores in bands of rows) or of every
// palette entry (below 24 bits; indices stay).
void applyChannelLut(Image& image, const ChannelLut& lut);

// The luminance of each row pixel, through the palette below 24 bits. lumas holds width bytes.
void rowLuminance(const Image& image, int y, std::uint8_t* lumas);

// How often each palette index occurs, counted on all cores; all zero for a 24-bit picture.
std::array<std::uint64_t, 256> paletteIndexCounts(const Image& image);

// Byte counts for one band of rows. The bytes go to four tables in turn, so runs of one
// value do not wait on their own increments; 32-bit counts hold any band's pixels.
class LevelTables {
public:
    // Counts length bytes, Step apart from levels[0].
    template <int Step = 1> void count(const std::uint8_t* levels, int length)
    {
        int x = 0;
        for (; x + 4 <= length; x += 4) {
            ++m_tables[0][levels[Step * x]];
            ++m_tables[1][levels[Step * (x + 1)]];
            ++m_tables[2][levels[Step * (x + 2)]];
            ++m_tables[3][levels[Step * (x + 3)]];
        }
        for (; x < length; ++x)
            ++m_tables[0][levels[Step * x]];
    }

    // Adds the counts to totals; bands sharing totals hold a lock around this.
    void addTo(std::array<std::uint64_t, 256>& totals) const
    {
        for (int i = 0; i < 256; ++i)
            totals[i] += std::uint64_t(m_tables[0][i]) + m_tables[1][i] + m_tables[2][i] + m_tables[3][i];
    }

private:
    std::uint32_t m_tables[4][256] = {};
};

} // namespace vask
