#pragma once

#include "controls/picbuf_geometry.h"
#include "engine/image/image.h"

#include <QImage>
#include <QRect>

namespace vask {

// The part `area` (control pixels, inside geometry.pictureRect()) of the picture as the
// control shows it, a Format_RGB32 image of the area's size. Only that part is scaled:
// enlarging and 1:1 repeat the pixel geometry names for each control pixel; shrinking
// averages the block of image pixels each control pixel covers (a box filter, every pixel
// counted once), so the cost follows the visible picture, not the whole one. Palette
// pictures are looked up through their palette. Runs on all cores in bands of rows.
QImage renderPictureArea(const Image& image, const PicbufGeometry& geometry, const QRect& area);

} // namespace vask
