#pragma once

#include "engine/image/image.h"
#include "engine/parallel/bands.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace vask {

static_assert(std::endian::native == std::endian::little, "pixel words are loaded as little-endian");

// Rows of packed palette indices as BMP, PCX and MSP store them: 1, 2, 4 or 8 bits per pixel,
// the leftmost pixel in the highest bits of each byte. Little-endian machines only.

// Bytes a packed row of width pixels takes, without any padding.
inline std::size_t packedRowBytes(int width, int bits)
{
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bits) + 7) / 8;
}

namespace detail {

// Eight index bytes for each value of a 1-bit byte, copied whole instead of shifted bit by bit.
inline const std::array<std::uint64_t, 256>& spreadBits()
{
    static const std::array<std::uint64_t, 256> table = [] {
        std::array<std::uint64_t, 256> t{};
        for (int v = 0; v < 256; ++v) {
            std::uint8_t bytes[8];
            for (int i = 0; i < 8; ++i)
                bytes[i] = static_cast<std::uint8_t>((v >> (7 - i)) & 1);
            std::memcpy(&t[v], bytes, 8);
        }
        return t;
    }();
    return table;
}

} // namespace detail

// Spreads packedRowBytes(width, bits) bytes into one index byte per pixel.
inline void unpackRow(const std::uint8_t* packed, std::uint8_t* indices, int width, int bits)
{
    if (width <= 0)
        return;
    switch (bits) {
    case 1: {
        const auto& table = detail::spreadBits();
        const int whole = width / 8;
        for (int i = 0; i < whole; ++i)
            std::memcpy(indices + 8 * i, &table[packed[i]], 8);
        for (int x = whole * 8; x < width; ++x)
            indices[x] = (packed[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    }
    case 2:
        for (int x = 0; x < width; ++x)
            indices[x] = (packed[x >> 2] >> (6 - 2 * (x & 3))) & 3;
        break;
    case 4: {
        const int pairs = width / 2;
        for (int i = 0; i < pairs; ++i) {
            indices[2 * i] = packed[i] >> 4;
            indices[2 * i + 1] = packed[i] & 15;
        }
        if (width & 1)
            indices[width - 1] = packed[pairs] >> 4;
        break;
    }
    default:
        std::memcpy(indices, packed, static_cast<std::size_t>(width));
        break;
    }
}

// Packs width index bytes (their low `bits` bits) into packedRowBytes(width, bits) bytes; the
// unused low bits of the last byte are zero.
inline void packRow(const std::uint8_t* indices, std::uint8_t* packed, int width, int bits)
{
    if (width <= 0)
        return;
    switch (bits) {
    case 1: {
        const int whole = width / 8;
        for (int i = 0; i < whole; ++i) {
            const std::uint8_t* s = indices + 8 * i;
            packed[i] = static_cast<std::uint8_t>(((s[0] & 1) << 7) | ((s[1] & 1) << 6) | ((s[2] & 1) << 5) |
                                                  ((s[3] & 1) << 4) | ((s[4] & 1) << 3) | ((s[5] & 1) << 2) |
                                                  ((s[6] & 1) << 1) | (s[7] & 1));
        }
        if (width & 7) {
            unsigned last = 0;
            for (int x = whole * 8; x < width; ++x)
                last |= (indices[x] & 1u) << (7 - (x & 7));
            packed[whole] = static_cast<std::uint8_t>(last);
        }
        break;
    }
    case 2: {
        const std::size_t n = packedRowBytes(width, 2);
        std::memset(packed, 0, n);
        for (int x = 0; x < width; ++x)
            packed[x >> 2] |= static_cast<std::uint8_t>((indices[x] & 3) << (6 - 2 * (x & 3)));
        break;
    }
    case 4: {
        const int pairs = width / 2;
        for (int i = 0; i < pairs; ++i)
            packed[i] = static_cast<std::uint8_t>(((indices[2 * i] & 15) << 4) | (indices[2 * i + 1] & 15));
        if (width & 1)
            packed[pairs] = static_cast<std::uint8_t>((indices[width - 1] & 15) << 4);
        break;
    }
    default:
        std::memcpy(packed, indices, static_cast<std::size_t>(width));
        break;
    }
}

// Rows of 24-bit pixels stored blue, green, red (BMP, TGA) to and from picture words. Four
// pixels move as three 32-bit words, which is about as fast as the memory allows without
// shuffle instructions.
inline void bgrToRgbRow(const std::uint8_t* bgr, std::uint32_t* out, int width)
{
    const auto load = [](const std::uint8_t* p) {
        std::uint32_t v;
        std::memcpy(&v, p, 4);
        return v;
    };
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const std::uint8_t* s = bgr + 3 * x;
        const std::uint32_t w0 = load(s);
        const std::uint32_t w1 = load(s + 4);
        const std::uint32_t w2 = load(s + 8);
        out[x] = w0 | 0xFF000000u;
        out[x + 1] = (w0 >> 24) | (w1 << 8) | 0xFF000000u;
        out[x + 2] = (w1 >> 16) | (w2 << 16) | 0xFF000000u;
        out[x + 3] = (w2 >> 8) | 0xFF000000u;
    }
    for (; x < width; ++x) {
        const std::uint8_t* s = bgr + 3 * x;
        out[x] = 0xFF000000u | (std::uint32_t(s[2]) << 16) | (std::uint32_t(s[1]) << 8) | s[0];
    }
}

inline void rgbToBgrRow(const std::uint32_t* pixels, std::uint8_t* bgr, int width)
{
    int x = 0;
    for (; x + 4 <= width; x += 4) {
        const std::uint32_t p0 = pixels[x], p1 = pixels[x + 1], p2 = pixels[x + 2], p3 = pixels[x + 3];
        const std::uint32_t w[3] = {(p0 & 0xFFFFFFu) | (p1 << 24), ((p1 >> 8) & 0xFFFFu) | (p2 << 16),
                                    ((p2 >> 16) & 0xFFu) | (p3 << 8)};
        std::memcpy(bgr + 3 * x, w, 12);
    }
    for (; x < width; ++x) {
        bgr[3 * x] = static_cast<std::uint8_t>(pixels[x]);
        bgr[3 * x + 1] = static_cast<std::uint8_t>(pixels[x] >> 8);
        bgr[3 * x + 2] = static_cast<std::uint8_t>(pixels[x] >> 16);
    }
}

// Stores a picture's rows bottom-up, the last row first and rowBytes apart from pixels, as
// BMP and TGA files keep them: palette indices packed indexBits to a pixel (8: one byte each),
// 24-bit pixels as blue, green, red. Runs on all cores in bands of rows.
inline void storeRowsBottomUp(const Image& image, std::uint8_t* pixels, std::size_t rowBytes, int indexBits)
{
    const int width = image.width();
    const int height = image.height();
    forEachBand(height, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            std::uint8_t* dst = pixels + rowBytes * static_cast<std::size_t>(height - 1 - y);
            if (image.isTrueColour())
                rgbToBgrRow(image.rgbRow(y), dst, width);
            else
                packRow(image.row(y), dst, width, indexBits);
        }
    });
}

} // namespace vask
