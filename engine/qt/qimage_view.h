#pragma once

#include "engine/image/image.h"

#include <QImage>
#include <QList>
#include <QRgb>

namespace vask {

// The one place where engine pictures meet QImage.
//
// qimageView wraps the picture's own buffer, no pixel is copied: a 24-bit picture (words
// 0xFFRRGGBB) is a Format_RGB32 image, a 1-, 4- or 8-bit picture (one index byte per pixel)
// a Format_Indexed8 image whose colour table is the palette (2, 16 or 256 entries), both
// with the picture's stride. The view is valid while the picture lives and keeps its size and
// depth; any operation that replaces the buffer (a resize, a depth change) leaves it dangling.
// The const overload gives a read-only view (QImage copies on the first write); the other
// writes straight into the picture, which is how QPainter draws text onto it. A null picture
// gives a null QImage.
QImage qimageView(const Image& image);
QImage qimageView(Image& image);

// The palette as a QImage colour table (empty at 24 bits).
QList<QRgb> colourTable(const Image& image);

// A copy of any QImage as an engine picture, for the clipboard and for tests: an indexed
// QImage (Indexed8, Mono, MonoLSB) becomes a palette picture of the smallest depth that
// holds its colour table and every index it uses; any other format becomes 24 bits (alpha is
// dropped: premultiplied pixels keep their values, as over black). ImageError when the size
// is beyond what a picture may have; a null QImage gives a null picture.
Image imageFromQImage(const QImage& qimage);

} // namespace vask
