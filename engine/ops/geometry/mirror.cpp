#include "engine/ops/geometry/mirror.h"

#include "engine/parallel/bands.h"

#include <cstdint>

namespace vask {
namespace {

template <typename T> void reverseRow(T* __restrict row, int width)
{
    const int half = width / 2;
    T* __restrict tail = row + width - 1;
    for (int i = 0; i < half; ++i) {
        const T t = row[i];
        row[i] = tail[-i];
        tail[-i] = t;
    }
}

// top[i] <-> bottom[width - 1 - i]: two different rows, mirrored both ways at once.
template <typename T> void swapReversed(T* __restrict top, T* __restrict bottom, int width)
{
    T* __restrict tail = bottom + width - 1;
    for (int i = 0; i < width; ++i) {
        const T t = top[i];
        top[i] = tail[-i];
        tail[-i] = t;
    }
}

template <typename T> void swapRows(T* __restrict top, T* __restrict bottom, int width)
{
    for (int i = 0; i < width; ++i) {
        const T t = top[i];
        top[i] = bottom[i];
        bottom[i] = t;
    }
}

template <typename T> void mirrorPixels(Image& image, bool horizontal, bool vertical)
{
    const int width = image.width();
    const int height = image.height();
    auto row = [&](int y) { return reinterpret_cast<T*>(image.row(y)); };
    if (!vertical) {
        forEachBand(height, [&](int first, int end) {
            for (int y = first; y < end; ++y)
                reverseRow(row(y), width);
        });
        return;
    }
    // Each band owns the row pairs (y, height - 1 - y) for its y in the top half.
    forEachBand((height + 1) / 2, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const int partner = height - 1 - y;
            if (partner == y) {
                if (horizontal)
                    reverseRow(row(y), width);
            } else if (horizontal) {
                swapReversed(row(y), row(partner), width);
            } else {
                swapRows(row(y), row(partner), width);
            }
        }
    });
}

} // namespace

void mirrorImage(Image& image, bool horizontal, bool vertical)
{
    if (image.isNull() || (!horizontal && !vertical))
        return;
    if (image.isTrueColour())
        mirrorPixels<std::uint32_t>(image, horizontal, vertical);
    else
        mirrorPixels<std::uint8_t>(image, horizontal, vertical);
}

} // namespace vask
