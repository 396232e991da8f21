#include "engine/qt/qimage_view.h"

#include <algorithm>
#include <cstring>

namespace vask {
namespace {

// Bits is const uchar* for a read-only view, uchar* for one that writes into the picture.
template <typename Bits> QImage wrap(const Image& image, Bits bits)
{
    if (image.isNull())
        return {};
    const auto stride = static_cast<qsizetype>(image.stride());
    if (image.isTrueColour())
        return QImage(bits, image.width(), image.height(), stride, QImage::Format_RGB32);
    QImage view(bits, image.width(), image.height(), stride, QImage::Format_Indexed8);
    view.setColorTable(colourTable(image));
    return view;
}

int depthForEntries(int entries)
{
    if (entries <= 2)
        return 1;
    if (entries <= 16)
        return 4;
    return 8;
}

Image fromIndexed8(const QImage& source)
{
    int highestIndex = 0;
    for (int y = 0; y < source.height(); ++y) {
        const uchar* row = source.constScanLine(y);
        highestIndex = std::max<int>(highestIndex, *std::max_element(row, row + source.width()));
    }
    const int entries = std::max<int>(static_cast<int>(source.colorCount()), highestIndex + 1);
    Image image(source.width(), source.height(), depthForEntries(entries));
    std::vector<Rgb> palette(Image::paletteSizeFor(image.depth()), packRgb(0, 0, 0));
    const QList<QRgb> table = source.colorTable();
    for (int i = 0; i < std::min<int>(static_cast<int>(table.size()), static_cast<int>(palette.size())); ++i)
        palette[i] = table[i] | 0xFF000000u;
    image.setPalette(palette);
    for (int y = 0; y < source.height(); ++y)
        std::memcpy(image.row(y), source.constScanLine(y), static_cast<std::size_t>(source.width()));
    return image;
}

Image fromRgb32(const QImage& source)
{
    Image image(source.width(), source.height(), 24);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        Rgb* out = image.rgbRow(y);
        for (int x = 0; x < source.width(); ++x)
            out[x] = in[x] | 0xFF000000u;
    }
    return image;
}

} // namespace

QList<QRgb> colourTable(const Image& image)
{
    QList<QRgb> table;
    table.reserve(static_cast<qsizetype>(image.palette().size()));
    for (const Rgb entry : image.palette())
        table.append(entry | 0xFF000000u);
    return table;
}

QImage qimageView(const Image& image)
{
    return wrap(image, image.bits());
}

QImage qimageView(Image& image)
{
    return wrap(image, image.bits());
}

Image imageFromQImage(const QImage& qimage)
{
    if (qimage.isNull())
        return {};
    switch (qimage.format()) {
    case QImage::Format_Indexed8:
        return fromIndexed8(qimage);
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
        return fromIndexed8(qimage.convertToFormat(QImage::Format_Indexed8));
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
        return fromRgb32(qimage);
    default:
        return fromRgb32(qimage.convertToFormat(QImage::Format_RGB32));
    }
}

} // namespace vask
