#include "imagewin/full_screen_window.h"

#include "controls/picbuf.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

namespace vask {

TKV_FullScreen::TKV_FullScreen(QWidget* parent) : QDialog(parent, Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("KV_FullScreen"));
    setWindowTitle(QStringLiteral("Full Screen"));
    KV_FS_FullScreen = new TPicbuf(this);
    KV_FS_FullScreen->setObjectName(QStringLiteral("KV_FS_FullScreen"));
    KV_FS_FullScreen->setToolTip(QStringLiteral("Click Image to Cancel Full Screen Mode"));
    connect(KV_FS_FullScreen, &TPicbuf::Click, this, &TKV_FullScreen::KV_FS_FullScreenClick);
    FormCreate();
}

void TKV_FullScreen::FormCreate()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize size = screen != nullptr ? screen->geometry().size() : QSize(800, 600);
    setGeometry(0, 0, size.width(), size.height());
    KV_FS_FullScreen->setGeometry(0, 0, size.width(), size.height());
}

void TKV_FullScreen::FormActivate()
{
    if (KV_FS_FullScreen->Contents() == 1 && KV_FS_FullScreen->ColorDepth() <= 8) {
        KV_FS_FullScreen->RealizePalette();
        KV_FS_FullScreen->Refresh();
    }
}

void TKV_FullScreen::KV_FS_FullScreenClick()
{
    close();
}

void TKV_FullScreen::FormClose()
{
    KV_FS_FullScreen->ClearImage();
}

void TKV_FullScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TKV_FullScreen::closeEvent(QCloseEvent* event)
{
    FormClose();
    QDialog::closeEvent(event);
}

void TKV_FullScreen::done(int result)
{
    // Escape and close() both end here: the copy of the image goes with the view.
    FormClose();
    QDialog::done(result);
}

} // namespace vask
