#pragma once

#include "engine/image/image.h"
#include "engine/image/pixel_memory.h"
#include "engine/parallel/bands.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace vask {

// Bands of rows for a neighbourhood filter that writes its picture in place on all cores.
// Before any band runs, the rows within radius of every band border are saved, so a band
// reads its neighbours' rows as they were even after the neighbour has overwritten them.
// Bands hold at least 32 rows, so the saved rows never reach past the next border.
class InPlaceBands {
public:
    InPlaceBands(const Image& image, int radius, std::size_t rowBytes)
        : m_image(image), m_radius(radius),
          m_bandCount(std::clamp(image.height() / 32, 1, bandThreadCount() * 4)),
          m_savedStride((rowBytes + 63) & ~std::size_t(63)),
          m_saved(std::max<std::size_t>(1, m_savedStride * 2 * radius *
                                               static_cast<std::size_t>(m_bandCount - 1)))
    {
        for (int b = 1; b < m_bandCount; ++b)
            for (int j = 0; j < 2 * radius; ++j)
                std::memcpy(savedRow(b - 1, j), image.row(bandStart(b) - radius + j), rowBytes);
    }

    int bandCount() const { return m_bandCount; }
    int bandStart(int band) const
    {
        return static_cast<int>(static_cast<std::int64_t>(m_image.height()) * band / m_bandCount);
    }

    // Row y as it was before filtering, seen from band; rows outside the picture repeat the edge.
    const std::uint8_t* sourceRow(int band, int y)
    {
        y = std::clamp(y, 0, m_image.height() - 1);
        const int first = bandStart(band);
        const int end = bandStart(band + 1);
        if (y < first)
            return savedRow(band - 1, y - (first - m_radius));
        if (y >= end)
            return savedRow(band, y - end + m_radius);
        return m_image.row(y);
    }

private:
    std::uint8_t* savedRow(int border, int index)
    {
        return m_saved.data() + m_savedStride * (static_cast<std::size_t>(border) * 2 * m_radius + index);
    }

    const Image& m_image;
    int m_radius;
    int m_bandCount;
    std::size_t m_savedStride;
    PixelScratch m_saved;
};

} // namespace vask
