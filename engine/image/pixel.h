#pragma once

#include <cstdint>

namespace vask {

// A true-colour pixel and a palette entry are one 32-bit word 0xFFRRGGBB, the layout of
// QImage::Format_RGB32, so a window can show a picture without converting it. The top byte
// is always 0xFF in a stored picture.
using Rgb = std::uint32_t;

constexpr Rgb packRgb(unsigned r, unsigned g, unsigned b)
{
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}
constexpr unsigned redOf(Rgb p) { return (p >> 16) & 0xFF; }
constexpr unsigned greenOf(Rgb p) { return (p >> 8) & 0xFF; }
constexpr unsigned blueOf(Rgb p) { return p & 0xFF; }

// Colours that cross the control interfaces are Windows COLORREF values: red in the low byte.
constexpr Rgb rgbFromColorref(std::uint32_t colorref)
{
    return packRgb(colorref & 0xFF, (colorref >> 8) & 0xFF, (colorref >> 16) & 0xFF);
}
constexpr std::uint32_t colorrefFromRgb(Rgb p)
{
    return redOf(p) | (greenOf(p) << 8) | (blueOf(p) << 16);
}

// Luminance with the usual 0.299 / 0.587 / 0.114 weights, in integers (weights sum to 65536).
constexpr unsigned lumaOf(unsigned r, unsigned g, unsigned b)
{
    return (r * 19595u + g * 38470u + b * 7471u + 32768u) >> 16;
}
constexpr unsigned lumaOf(Rgb p) { return lumaOf(redOf(p), greenOf(p), blueOf(p)); }

constexpr std::uint8_t clampToByte(int v)
{
    return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

} // namespace vask
