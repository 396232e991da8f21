#pragma once

#include "engine/image/pixel.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vask {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool isEmpty() const { return width <= 0 || height <= 0; }
};

struct Point {
    int x = 0;
    int y = 0;
};

// One picture: width and height in pixels, a logical depth of 1, 4, 8 or 24 bits per pixel
// and, below 24 bits, a palette of exactly 2^depth entries.
//
// Storage is chosen for speed, not for the file: a 24-bit picture keeps one 32-bit word per
// pixel (0xFFRRGGBB, see pixel.h); a 1-, 4- or 8-bit picture keeps one byte per pixel holding
// the palette index, always below 2^depth. Rows are 64-byte aligned (stride() bytes apart),
// so QImage can wrap the buffer and vector loops start on a cache line.
//
// Coordinates are 16-bit in this system: a side above kMaxSide pixels, a buffer that cannot
// be allocated, or a depth other than 1, 4, 8, 24 is refused with an ImageError, and no
// picture is half made. Copies are deep; moves are cheap.
class Image {
public:
    static constexpr int kMaxSide = 32767;

    Image() = default;
    // New pixels are not cleared; the palette is a grey ramp (black to white).
    Image(int width, int height, int depth);
    Image(const Image& other);
    Image& operator=(const Image& other);
    Image(Image&& other) noexcept;
    Image& operator=(Image&& other) noexcept;
    ~Image();

    bool isNull() const { return m_data == nullptr; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    int depth() const { return m_depth; }
    bool isTrueColour() const { return m_depth == 24; }
    // Bytes one pixel takes in memory: 4 for 24-bit, 1 otherwise.
    int bytesPerPixel() const { return m_depth == 24 ? 4 : 1; }
    std::size_t stride() const { return m_stride; }
    std::size_t byteCount() const { return m_stride * static_cast<std::size_t>(m_height); }

    std::uint8_t* bits() { return m_data; }
    const std::uint8_t* bits() const { return m_data; }
    std::uint8_t* row(int y) { return m_data + m_stride * static_cast<std::size_t>(y); }
    const std::uint8_t* row(int y) const { return m_data + m_stride * static_cast<std::size_t>(y); }
    Rgb* rgbRow(int y) { return reinterpret_cast<Rgb*>(row(y)); }
    const Rgb* rgbRow(int y) const { return reinterpret_cast<const Rgb*>(row(y)); }

    // 2^depth entries below 24 bits, empty at 24 bits.
    const std::vector<Rgb>& palette() const { return m_palette; }
    // Replaces the palette; a shorter table is padded with black, a longer one cut.
    void setPalette(const std::vector<Rgb>& palette);
    Rgb paletteEntry(int index) const;
    void setPaletteEntry(int index, Rgb colour);

    // The colour of a pixel whatever the depth; (x, y) must lie inside the picture.
    Rgb pixelColour(int x, int y) const;
    // The palette index of a pixel, 0 for a 24-bit picture.
    int pixelIndex(int x, int y) const;
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    void fill(Rgb colourOrIndex);
    void swap(Image& other) noexcept;

    static int paletteSizeFor(int depth) { return depth == 24 ? 0 : (1 << depth); }
    static bool isValidDepth(int depth) { return depth == 1 || depth == 4 || depth == 8 || depth == 24; }

private:
    void release() noexcept;

    int m_width = 0;
    int m_height = 0;
    int m_depth = 0;
    std::size_t m_stride = 0;
    std::uint8_t* m_data = nullptr;
    std::size_t m_capacity = 0;
    std::vector<Rgb> m_palette;
};

// The grey ramp a new picture of this depth starts with.
std::vector<Rgb> greyPalette(int depth);

} // namespace vask
