#include "controls/picbuf_render.h"

#include "engine/parallel/bands.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vask {
namespace {

// The image columns (or rows) each control pixel of a span covers: [first[i], end[i]).
struct Blocks {
    std::vector<int> first;
    std::vector<int> end;
};

template <typename ToImage> Blocks blocksFor(int controlStart, int count, int imageSide, ToImage toImage)
{
    Blocks blocks;
    blocks.first.resize(count);
    blocks.end.resize(count);
    for (int i = 0; i < count; ++i) {
        const int first = std::clamp(toImage(controlStart + i), 0, imageSide - 1);
        const int end = std::clamp(toImage(controlStart + i + 1), first + 1, imageSide);
        blocks.first[i] = first;
        blocks.end[i] = end;
    }
    return blocks;
}

void renderEnlarged(const Image& image, const Blocks& columns, const Blocks& rows, QImage& out)
{
    const int width = out.width();
    const Rgb* palette = image.palette().data();
    forEachBand(out.height(), [&](int firstRow, int endRow) {
        int previous = -1;
        for (int j = firstRow; j < endRow; ++j) {
            auto* target = reinterpret_cast<QRgb*>(out.scanLine(j));
            const int y = rows.first[j];
            if (y == previous) {
                std::memcpy(target, out.constScanLine(j - 1), static_cast<std::size_t>(width) * 4);
                continue;
            }
            previous = y;
            if (image.isTrueColour()) {
                const Rgb* source = image.rgbRow(y);
                for (int i = 0; i < width; ++i)
                    target[i] = source[columns.first[i]];
            } else {
                const std::uint8_t* source = image.row(y);
                for (int i = 0; i < width; ++i)
                    target[i] = palette[source[columns.first[i]]];
            }
        }
    });
}

void renderShrunk(const Image& image, const Blocks& columns, const Blocks& rows, QImage& out)
{
    const int width = out.width();
    const Rgb* palette = image.palette().data();
    forEachBand(
        out.height(),
        [&](int firstRow, int endRow) {
            std::vector<std::uint64_t> red(width), green(width), blue(width);
            for (int j = firstRow; j < endRow; ++j) {
                std::fill(red.begin(), red.end(), 0);
                std::fill(green.begin(), green.end(), 0);
                std::fill(blue.begin(), blue.end(), 0);
                // colourAt is inlined per depth, so the inner loop has no branch.
                auto addRow = [&](auto colourAt) {
                    for (int i = 0; i < width; ++i) {
                        std::uint32_t r = 0, g = 0, b = 0;
                        for (int x = columns.first[i]; x < columns.end[i]; ++x) {
                            const Rgb p = colourAt(x);
                            r += redOf(p);
                            g += greenOf(p);
                            b += blueOf(p);
                        }
                        red[i] += r;
                        green[i] += g;
                        blue[i] += b;
                    }
                };
                for (int y = rows.first[j]; y < rows.end[j]; ++y) {
                    if (image.isTrueColour()) {
                        const Rgb* words = image.rgbRow(y);
                        addRow([words](int x) { return words[x]; });
                    } else {
                        const std::uint8_t* indices = image.row(y);
                        addRow([indices, palette](int x) { return palette[indices[x]]; });
                    }
                }
                auto* target = reinterpret_cast<QRgb*>(out.scanLine(j));
                const std::uint64_t rowsCovered = static_cast<std::uint64_t>(rows.end[j] - rows.first[j]);
                for (int i = 0; i < width; ++i) {
                    const std::uint64_t count =
                        rowsCovered * static_cast<std::uint64_t>(columns.end[i] - columns.first[i]);
                    const std::uint64_t half = count / 2;
                    target[i] = packRgb(static_cast<unsigned>((red[i] + half) / count),
                                        static_cast<unsigned>((green[i] + half) / count),
                                        static_cast<unsigned>((blue[i] + half) / count));
                }
            }
        },
        2);
}

} // namespace

QImage renderPictureArea(const Image& image, const PicbufGeometry& geometry, const QRect& area)
{
    if (image.isNull() || area.isEmpty())
        return {};
    QImage out(area.size(), QImage::Format_RGB32);
    if (out.isNull())
        return {};
    const Blocks columns = blocksFor(area.left(), area.width(), image.width(),
                                     [&](int controlX) { return geometry.imageX(controlX); });
    const Blocks rows = blocksFor(area.top(), area.height(), image.height(),
                                  [&](int controlY) { return geometry.imageY(controlY); });
    if (geometry.isShrinking())
        renderShrunk(image, columns, rows, out);
    else
        renderEnlarged(image, columns, rows, out);
    return out;
}

} // namespace vask
