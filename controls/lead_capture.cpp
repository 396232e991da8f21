// The LEAD control's ways of taking a picture from outside the program: the screen and the
// clipboard.
#include "controls/lead_ctrl.h"

#include "engine/qt/qimage_view.h"
#include "engine/image/image_error.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPixmap>
#include <QScreen>

#include <cmath>

namespace vask {

void TLeadCtrl::CaptureArea(int /*device*/, float left, float top, float width, float height)
{
    const int areaWidth = static_cast<int>(std::lround(width));
    const int areaHeight = static_cast<int>(std::lround(height));
    if (!(areaWidth > 0 && areaHeight > 0))
        throw ImageError("The screen area to capture is empty.");
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        throw ImageError("The screen could not be captured: there is no screen.");
    // Window 0 is the whole screen; the area is in its pixels.
    const QPixmap grabbed = screen->grabWindow(0, static_cast<int>(std::lround(left)),
                                               static_cast<int>(std::lround(top)), areaWidth, areaHeight);
    if (grabbed.isNull())
        throw ImageError("The screen could not be captured: this desktop does not let programs read the "
                         "screen.");
    takePicture(imageFromQImage(grabbed.toImage().convertToFormat(QImage::Format_RGB32)));
}

int TLeadCtrl::Paste(int flags)
{
    const QClipboard* clipboard = QGuiApplication::clipboard();
    const QMimeData* data = clipboard->mimeData();
    const bool holdsPicture = data != nullptr && data->hasImage();
    if (flags == kPasteQuery)
        return holdsPicture ? 1 : 0;
    if (!holdsPicture)
        return 0;
    const QImage image = clipboard->image();
    if (image.isNull())
        return 0;
    takePicture(imageFromQImage(image.convertToFormat(QImage::Format_RGB32)));
    return 1;
}

} // namespace vask
