#include "controls/lead_qimage.h"

#include <QList>

#include <cstring>

namespace vask {

QImage leadQImageView(const Image& picture)
{
    if (picture.isNull())
        return {};
    const auto* bits = picture.bits();
    const auto stride = static_cast<qsizetype>(picture.stride());
    if (picture.isTrueColour())
        return QImage(bits, picture.width(), picture.height(), stride, QImage::Format_RGB32);
    QImage view(bits, picture.width(), picture.height(), stride, QImage::Format_Indexed8);
    const auto& palette = picture.palette();
    // Indices are always below 2^depth, so a table of the palette's size covers every pixel.
    view.setColorTable(QList<QRgb>(palette.begin(), palette.end()));
    return view;
}

Image leadImageFromQImage(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    Image picture(rgb.width(), rgb.height(), 24);
    const auto rowBytes = static_cast<std::size_t>(rgb.width()) * 4;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* source = reinterpret_cast<const quint32*>(rgb.constScanLine(y));
        Rgb* target = picture.rgbRow(y);
        std::memcpy(target, source, rowBytes);
        // Format_RGB32 promises 0xFF in the top byte only on reading; stored pictures need it.
        for (int x = 0; x < rgb.width(); ++x)
            target[x] |= 0xFF000000u;
    }
    return picture;
}

} // namespace vask
