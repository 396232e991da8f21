#pragma once

#include <QPoint>
#include <QPointer>

class QWidget;

namespace vask {

// (left, top, right, bottom) in control pixels, as dragged: right may lie left of left.
struct RubberBandRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const RubberBandRect&) const = default;
};

// What the image windows' mouse handlers share between a press and its release; one for the
// whole program, as only one pointer drags at a time.
struct MouseDragState {
    // Control pixels of the last press.
    QPoint DownPoint;
    // The same point in image pixels (16-bit values).
    QPoint DownImagePoint;
    // The outline shown while a selection is dragged; (0, 0, 0, 0) between drags.
    RubberBandRect RubberBand;
    // Where the outline is drawn: a see-through layer over the picture's viewport, made at the
    // press and removed at the release, so the picture's pixels never change.
    QPointer<QWidget> rubberBandCanvas;
};

MouseDragState& mouseDragState();

} // namespace vask
