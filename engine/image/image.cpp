#include "engine/image/image.h"

#include "engine/image/image_error.h"
#include "engine/image/pixel_memory.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace vask {
namespace {

// Above this a picture is refused outright (a 32767 x 32767 true-colour picture is 4 GiB).
constexpr std::size_t kMaxPictureBytes = std::size_t(4) << 30;

std::size_t strideFor(int width, int depth)
{
    const std::size_t bytes = static_cast<std::size_t>(width) * (depth == 24 ? 4 : 1);
    return (bytes + 63) & ~std::size_t(63);
}

} // namespace

std::vector<Rgb> greyPalette(int depth)
{
    const int n = Image::paletteSizeFor(depth);
    std::vector<Rgb> palette(n);
    for (int i = 0; i < n; ++i) {
        const unsigned v = n > 1 ? static_cast<unsigned>(i * 255 / (n - 1)) : 0;
        palette[i] = packRgb(v, v, v);
    }
    return palette;
}

Image::Image(int width, int height, int depth)
{
    if (!isValidDepth(depth))
        throw ImageError("A picture of " + std::to_string(depth) +
                         " bits per pixel cannot be made: use 1, 4, 8 or 24.");
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
        throw ImageError("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels cannot be made: each side must be 1 to " +
                         std::to_string(kMaxSide) + " pixels.");
    const std::size_t stride = strideFor(width, depth);
    const std::size_t bytes = stride * static_cast<std::size_t>(height);
    if (bytes > kMaxPictureBytes)
        throw ImageError("A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels is too large for memory.");
    std::size_t capacity = 0;
    auto* data = static_cast<std::uint8_t*>(allocatePixelMemory(bytes, capacity));
    if (!data)
        throw ImageError("There is not enough memory for a picture of " + std::to_string(width) +
                         " x " + std::to_string(height) + " pixels.");
    m_palette = greyPalette(depth);
    m_width = width;
    m_height = height;
    m_depth = depth;
    m_stride = stride;
    m_data = data;
    m_capacity = capacity;
}

Image::Image(const Image& other)
{
    if (other.isNull())
        return;
    Image copy(other.m_width, other.m_height, other.m_depth);
    std::memcpy(copy.m_data, other.m_data, other.byteCount());
    copy.m_palette = other.m_palette;
    swap(copy);
}

Image& Image::operator=(const Image& other)
{
    if (this != &other) {
        Image copy(other);
        swap(copy);
    }
    return *this;
}

Image::Image(Image&& other) noexcept { swap(other); }

Image& Image::operator=(Image&& other) noexcept
{
    if (this != &other) {
        release();
        swap(other);
    }
    return *this;
}

Image::~Image() { release(); }

void Image::release() noexcept
{
    freePixelMemory(m_data, m_capacity);
    m_data = nullptr;
    m_capacity = 0;
    m_width = m_height = m_depth = 0;
    m_stride = 0;
    m_palette.clear();
}

void Image::swap(Image& other) noexcept
{
    std::swap(m_width, other.m_width);
    std::swap(m_height, other.m_height);
    std::swap(m_depth, other.m_depth);
    std::swap(m_stride, other.m_stride);
    std::swap(m_data, other.m_data);
    std::swap(m_capacity, other.m_capacity);
    m_palette.swap(other.m_palette);
}

void Image::setPalette(const std::vector<Rgb>& palette)
{
    const int n = paletteSizeFor(m_depth);
    m_palette.assign(n, packRgb(0, 0, 0));
    for (int i = 0; i < n && i < static_cast<int>(palette.size()); ++i)
        m_palette[i] = palette[i] | 0xFF000000u;
}

Rgb Image::paletteEntry(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_palette.size()))
        return packRgb(0, 0, 0);
    return m_palette[index];
}

void Image::setPaletteEntry(int index, Rgb colour)
{
    if (index >= 0 && index < static_cast<int>(m_palette.size()))
        m_palette[index] = colour | 0xFF000000u;
}

Rgb Image::pixelColour(int x, int y) const
{
    if (m_depth == 24)
        return rgbRow(y)[x];
    return m_palette[row(y)[x]];
}

int Image::pixelIndex(int x, int y) const
{
    return m_depth == 24 ? 0 : row(y)[x];
}

void Image::fill(Rgb colourOrIndex)
{
    if (isNull())
        return;
    if (m_depth == 24) {
        const Rgb c = colourOrIndex | 0xFF000000u;
        for (int y = 0; y < m_height; ++y)
            std::fill_n(rgbRow(y), m_width, c);
    } else {
        const auto index = static_cast<std::uint8_t>(colourOrIndex & (paletteSizeFor(m_depth) - 1));
        for (int y = 0; y < m_height; ++y)
            std::memset(row(y), index, m_width);
    }
}

} // namespace vask
