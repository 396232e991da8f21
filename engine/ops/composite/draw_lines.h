#pragma once

#include "engine/image/image.h"

#include <span>

namespace vask {

enum class ArrowHeads { None = 0, AtEnd = 2, AtBothEnds = 3 };

// Draws a polyline through points (image pixels) of the given width in one colour, with
// filled arrow heads at the last point or at both ends; the heads grow with the width.
// Width 1 or less: Bresenham's 1-pixel line, both end points included (the minor coordinate
// is the exact one rounded, halves away from the segment's start). Wider: every segment is
// a rectangle of the width around it, and every point gets a disc of the same diameter
// (round joins and caps); a pixel is drawn when its centre lies inside or on the edge of a
// shape, so an axis-aligned line of odd width is centred and exactly that wide; an even
// width sits a quarter pixel up and left and is also exactly that wide.
// Arrow heads are filled isosceles triangles with the tip on the end point, pointing along
// the last segment of non-zero length: length max(10, 4 x width), half-width
// max(4, 2 x width) pixels. The line stops at the head's base so it cannot poke through
// the tip. ArrowHeads values other than the three named ones draw no heads.
// Parts outside the picture are clipped; points anywhere in the int range cost no more
// than points inside. A single point, or only zero-length segments, draws a dot of the
// width. Palette pictures draw with the nearest palette entry. Runs on the caller's thread.
void drawLines(Image& image, std::span<const Point> points, int width, Rgb colour, ArrowHeads arrows);

} // namespace vask
