#include "shell/palette_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace vask {

namespace {

constexpr int kSize = 24;

void drawPage(QPainter& p, QColor fill)
{
    QPainterPath page;
    page.moveTo(5, 2);
    page.lineTo(15, 2);
    page.lineTo(19, 6);
    page.lineTo(19, 21);
    page.lineTo(5, 21);
    page.closeSubpath();
    p.setBrush(fill);
    p.drawPath(page);
    p.drawLine(15, 2, 15, 6);
    p.drawLine(15, 6, 19, 6);
}

void drawFolder(QPainter& p)
{
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(2, 7, 19, 13);
    p.drawRect(2, 5, 8, 2);
}

void drawArrow(QPainter& p, QPointF from, QPointF to)
{
    p.drawLine(from, to);
    const QPointF d = (to - from) / 4.0;
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d + n);
    p.drawLine(to, to - d - n);
}

void drawText(QPainter& p, const QString& text, QColor colour, bool italic = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(text.size() > 2 ? 8 : 14);
    font.setBold(true);
    font.setItalic(italic);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(QRect(0, 0, kSize, kSize), Qt::AlignCenter, text);
}

void drawGlyph(QPainter& p, int position)
{
    p.setPen(QPen(Qt::black, 1));
    switch (position) {
    case 0: // new image
        drawPage(p, Qt::white);
        p.fillRect(8, 9, 8, 8, QColor(0, 200, 200));
        break;
    case 1: // open
        drawFolder(p);
        break;
    case 2: // reopen last
        drawFolder(p);
        p.setPen(QPen(Qt::darkGreen, 2));
        drawArrow(p, QPointF(8, 16), QPointF(16, 10));
        break;
    case 3: // save
        p.setBrush(QColor(60, 60, 160));
        p.drawRect(3, 3, 18, 18);
        p.fillRect(7, 4, 10, 6, Qt::white);
        p.fillRect(7, 14, 10, 7, QColor(190, 190, 190));
        break;
    case 4: // print manager
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(3, 9, 18, 8);
        p.setBrush(Qt::white);
        p.drawRect(7, 3, 10, 6);
        p.drawRect(7, 15, 10, 6);
        break;
    case 5: // exit
        p.setPen(QPen(Qt::darkRed, 3));
        p.drawLine(6, 6, 18, 18);
        p.drawLine(18, 6, 6, 18);
        break;
    case 6: // reset pointer
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({QPointF(7, 3), QPointF(7, 19), QPointF(11, 15), QPointF(14, 21),
                                 QPointF(16, 20), QPointF(13, 14), QPointF(18, 14)}));
        break;
    case 7: // drag mode
        p.setBrush(QColor(0, 160, 160));
        p.drawRect(3, 3, 10, 10);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(10, 10, 11, 11);
        break;
    case 8: // auto zoom
        p.drawRect(3, 3, 18, 18);
        p.setPen(QPen(Qt::darkBlue, 2));
        drawArrow(p, QPointF(12, 12), QPointF(5, 5));
        drawArrow(p, QPointF(12, 12), QPointF(19, 19));
        break;
    case 9: // 1:1 and pan
        drawText(p, QStringLiteral("1:1"), Qt::black);
        break;
    case 10: // selection
        p.setPen(QPen(Qt::black, 1, Qt::DashLine));
        p.drawRect(4, 5, 16, 13);
        break;
    case 11: // tools window
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(3, 4, 18, 16);
        p.fillRect(4, 5, 17, 3, QColor(0, 0, 128));
        break;
    case 12: // full screen
        p.setBrush(Qt::black);
        p.drawRect(2, 4, 20, 15);
        p.fillRect(4, 6, 17, 12, QColor(0, 160, 255));
        break;
    case 13: // mark and hold
        drawText(p, QStringLiteral("M"), Qt::darkBlue);
        break;
    case 14: // restore marked
        drawText(p, QStringLiteral("M"), Qt::darkBlue);
        p.setPen(QPen(Qt::darkGreen, 2));
        drawArrow(p, QPointF(20, 20), QPointF(14, 20));
        break;
    case 15: // undo
        p.setPen(QPen(Qt::darkBlue, 2));
        p.drawArc(QRectF(6, 6, 13, 12), 90 * 16, -200 * 16);
        drawArrow(p, QPointF(12, 6), QPointF(6, 9));
        break;
    case 16: // clear all
        p.setBrush(Qt::white);
        p.drawRect(4, 4, 16, 16);
        p.setPen(QPen(Qt::red, 2));
        p.drawLine(5, 19, 19, 5);
        break;
    case 17: // refresh: the letter R, green, bold italic
        drawText(p, QStringLiteral("R"), QColor(0, 160, 0), true);
        break;
    default:
        break;
    }
}

} // namespace

QIcon paletteGlyph(int position)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    drawGlyph(painter, position);
    painter.end();
    return QIcon(pixmap);
}

} // namespace vask
