#include "printing/print_preview_window.h"

#include <QGuiApplication>
#include <QScreen>

namespace vask {

TKV_PrintPreview::TKV_PrintPreview(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("KV_PrintPreview"));
    setWindowTitle(QStringLiteral("Printer Preview - Drag and Drop Image to Print"));
    setFixedSize(574, 404);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(11);
    setFont(arial);
    setAutoFillBackground(true);
    QPalette silver = palette();
    silver.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(silver);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

} // namespace vask
