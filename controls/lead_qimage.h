#pragma once

#include "engine/image/image.h"

#include <QImage>

namespace vask {

// A QImage over the picture's own pixels, no copy: 24-bit pictures as Format_RGB32 (their
// words are 0xFFRRGGBB already), palette pictures as Format_Indexed8 with their palette.
// Valid while the picture lives and is not resized; a null QImage for a null picture.
QImage leadQImageView(const Image& picture);

// A 24-bit copy of any QImage (alpha dropped: each pixel becomes opaque over black).
// A null picture for a null QImage.
Image leadImageFromQImage(const QImage& image);

} // namespace vask
