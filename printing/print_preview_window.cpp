#include "printing/print_preview_window.h"

#include "controls/classic_look.h"

#include <QGuiApplication>
#include <QScreen>

namespace vask {

TKV_PrintPreview::TKV_PrintPreview(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("KV_PrintPreview"));
    setWindowTitle(QStringLiteral("Printer Preview - Drag and Drop Image to Print"));
    setFixedSize(574, 404);
    applyClassicLook(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

} // namespace vask
