#include "processing/annotation.h"

#include "shell/status_routines.h"

#include "controls/picbuf.h"
#include "shell/fault_report.h"

#include <QPlainTextEdit>

#include <vector>

namespace vask {

namespace {

constexpr int kTextLeft = 0;
constexpr int kTextCentred = 2;
const QColor kSilver(0xC0, 0xC0, 0xC0);

QColor fontColourOf(const QPlainTextEdit& textBox)
{
    return textBox.palette().color(QPalette::Text);
}

} // namespace

void DynamicZoom(TPicbuf& source, TPicbuf& zoom, int controlX, Qt::MouseButtons buttons, int zoomHeight,
                 int zoomWidth, int controlY)
{
    try {
        if (!buttons.testFlag(Qt::LeftButton))
            return;
        const int imageX = asShort(source.ScreenToImageX(asShort(controlX)));
        const int imageY = asShort(source.ScreenToImageY(asShort(controlY)));
        // Integer halves truncate toward zero, as the width and height are never negative.
        source.setSelectLeft(asShort(imageX - zoomWidth / 2));
        source.setSelectTop(asShort(imageY - zoomHeight / 2));
        source.setSelectWidth(zoomWidth);
        source.setSelectHeight(zoomHeight);
        zoom.AssignImage(false, source, true);
    } catch (...) {
        // A zoom that fails shows nothing; the pointer moves on and the next move tries again.
    }
}

void DrawAnnotationLine(TPicbuf& picture, Point start, Point end, int lineWidth, bool defaultWidth,
                        const QPlainTextEdit& textBox, bool doubleArrows, bool arrows)
{
    guardedHandler("UIKFunctions32v1", 1065, [&] {
        const QColor colour = fontColourOf(textBox);
        picture.setForeColor(colour);
        picture.setFillColor(colour);
        picture.setDrawStyle(0);
        picture.setDrawArrows(!arrows ? 0 : (doubleArrows ? 3 : 2));
        picture.setDrawWidth(defaultWidth ? 1 : lineWidth);
        picture.DrawLines(std::vector<Point>{start, end}, 0);
    });
}

void DrawAnnotationText(TPicbuf& picture, const QPlainTextEdit& textBox, bool transparent, bool leftJustify,
                        bool underline, bool italic, bool bold, bool autoSize)
{
    picture.setTextAlignment(leftJustify ? kTextLeft : kTextCentred);
    picture.setForeColor(fontColourOf(textBox));
    picture.setBackColor(textBox.palette().color(QPalette::Base));
    picture.setFontTransparent(transparent);
    picture.setTextAutoSize(autoSize);

    const QFont boxFont = textBox.font();
    QFont font = picture.Font();
    if (boxFont.pointSizeF() > 0)
        font.setPointSizeF(boxFont.pointSizeF());
    else if (boxFont.pixelSize() > 0)
        font.setPixelSize(boxFont.pixelSize());
    font.setFamily(boxFont.family());
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    picture.setFont(font);

    picture.setText(textBox.toPlainText());
    picture.PlaceText(0);
    picture.setBackColor(kSilver);
}

} // namespace vask
