#include "engine/qt/text_placement.h"

#include "engine/ops/palette/nearest_colour.h"
#include "engine/qt/qimage_view.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace vask {
namespace {

// Auto size measures the text once at this size and scales from there.
constexpr int kReferencePixelSize = 100;
constexpr double kPixelsPerPoint = 96.0 / 72.0;

QString withoutCarriageReturns(const QString& text)
{
    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    return plain;
}

// Point sizes become pixel sizes at 96 pixels per inch, whatever the QImage's resolution.
QFont pixelSizedFont(const QFont& font)
{
    QFont sized = font;
    if (font.pixelSize() <= 0)
        sized.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pointSizeF() * kPixelsPerPoint))));
    return sized;
}

QSizeF textBlockSize(const QString& text, const QFont& font)
{
    const QFontMetricsF metrics(font);
    const QRectF bounds(0, 0, 1e7, 1e7);
    return metrics.boundingRect(bounds, Qt::AlignLeft | Qt::AlignTop, text).size();
}

bool fits(const QString& text, QFont font, int pixelSize, int width, int height)
{
    font.setPixelSize(pixelSize);
    const QSizeF block = textBlockSize(text, font);
    return block.width() <= width && block.height() <= height;
}

Qt::Alignment horizontalAlignment(TextAlignment alignment)
{
    switch (alignment) {
    case TextAlignment::Right:
        return Qt::AlignRight;
    case TextAlignment::Centre:
        return Qt::AlignHCenter;
    case TextAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

// Paints into a device whose pixel (0, 0) is picture pixel `offset`.
void paintText(QPaintDevice& device, QPoint offset, const QRect& area, const QRect& clip, const QString& text,
               const TextStyle& style)
{
    QPainter painter(&device);
    painter.translate(-offset);
    painter.setClipRect(clip);
    if (!style.transparent)
        painter.fillRect(area, QColor::fromRgb(style.backColour));
    if (text.isEmpty())
        return;
    QFont font = pixelSizedFont(style.font);
    Qt::Alignment vertical = Qt::AlignTop;
    if (style.autoSize) {
        font.setPixelSize(autoSizedPixelSize(text, font, area.width(), area.height()));
        vertical = Qt::AlignVCenter;
    }
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(style.foreColour));
    painter.drawText(area, static_cast<int>(horizontalAlignment(style.alignment) | vertical), text);
}

// Palette pictures: draw on a 24-bit copy of the clipped area, then give each changed pixel
// the nearest palette entry.
void placeOnPalettePicture(Image& image, const QRect& area, const QRect& clip, const QString& text,
                           const TextStyle& style)
{
    const std::vector<Rgb>& palette = image.palette();
    QImage canvas(clip.size(), QImage::Format_RGB32);
    for (int y = 0; y < clip.height(); ++y) {
        const std::uint8_t* indices = image.row(clip.top() + y) + clip.left();
        auto* out = reinterpret_cast<QRgb*>(canvas.scanLine(y));
        for (int x = 0; x < clip.width(); ++x)
            out[x] = palette[indices[x]];
    }
    paintText(canvas, clip.topLeft(), area, clip, text, style);
    NearestColour nearest(palette);
    for (int y = 0; y < clip.height(); ++y) {
        std::uint8_t* indices = image.row(clip.top() + y) + clip.left();
        const auto* drawn = reinterpret_cast<const QRgb*>(canvas.constScanLine(y));
        for (int x = 0; x < clip.width(); ++x) {
            const Rgb colour = drawn[x] | 0xFF000000u;
            if (colour != palette[indices[x]])
                indices[x] = nearest.indexOf(colour);
        }
    }
}

} // namespace

int autoSizedPixelSize(const QString& rawText, const QFont& font, int areaWidth, int areaHeight)
{
    const QString text = withoutCarriageReturns(rawText);
    if (text.isEmpty() || areaWidth < 1 || areaHeight < 1)
        return 1;
    QFont reference = font;
    reference.setPixelSize(kReferencePixelSize);
    const QSizeF block = textBlockSize(text, reference);
    if (block.width() <= 0 || block.height() <= 0)
        return 1;
    const double factor = std::min(areaWidth / block.width(), areaHeight / block.height());
    // Glyph metrics do not scale exactly (hinting, rounding): settle on the size by trial.
    int size = std::clamp(static_cast<int>(kReferencePixelSize * factor), 1, std::max(1, areaHeight));
    while (size > 1 && !fits(text, font, size, areaWidth, areaHeight))
        --size;
    while (fits(text, font, size + 1, areaWidth, areaHeight) && size < areaHeight)
        ++size;
    return size;
}

void placeText(Image& image, const Rect& areaInImage, const QString& rawText, const TextStyle& style)
{
    if (image.isNull() || areaInImage.isEmpty())
        return;
    const QRect area(areaInImage.left, areaInImage.top, areaInImage.width, areaInImage.height);
    const QRect clip = area.intersected(QRect(0, 0, image.width(), image.height()));
    if (clip.isEmpty())
        return;
    const QString text = withoutCarriageReturns(rawText);
    if (image.isTrueColour()) {
        QImage view = qimageView(image);
        paintText(view, QPoint(0, 0), area, clip, text, style);
    } else {
        placeOnPalettePicture(image, area, clip, text, style);
    }
}

} // namespace vask
