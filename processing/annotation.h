#pragma once

#include "engine/image/image.h"

#include <Qt>

class QPlainTextEdit;

namespace vask {

class TPicbuf;

// The work behind the mouse functions "Dynamic Zoom" and "Draw Arrows or Lines" and behind
// dropping the annotation text on a picture. They act only through the picture control.
//
// The annotation text box carries the annotation font: its font() is the font and its
// palette's Text and Base colours are the font colour and the background colour the page's
// "Fonts" and "Back Color" buttons choose.

// With the left button in buttons: selects on source the zoomWidth x zoomHeight image
// rectangle centred on the image point under control point (controlX, controlY) - its left
// and top may be negative near the edges - and copies that area into the whole zoom
// picture. The source keeps that selection. Any fault is swallowed; the next move retries.
void DynamicZoom(TPicbuf& source, TPicbuf& zoom, int controlX, Qt::MouseButtons buttons, int zoomHeight,
                 int zoomWidth, int controlY);

// Draws a solid line from start to end (image pixels) in the text box's font colour: 1 pixel
// wide when defaultWidth, else lineWidth; no head without arrows, heads at both ends with
// doubleArrows, else one at end. A fault is reported as "Error:- UIKFunctions32v1 - Code 1065".
void DrawAnnotationLine(TPicbuf& picture, Point start, Point end, int lineWidth, bool defaultWidth,
                        const QPlainTextEdit& textBox, bool doubleArrows, bool arrows);

// Draws the text box's whole text into the picture's selection area in the box's font, with
// the flags given, left-justified or centred; the picture's BackColor is silver again
// afterwards. Faults reach the caller.
void DrawAnnotationText(TPicbuf& picture, const QPlainTextEdit& textBox, bool transparent, bool leftJustify,
                        bool underline, bool italic, bool bold, bool autoSize);

} // namespace vask
