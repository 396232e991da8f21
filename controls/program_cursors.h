#pragma once

#include <QCursor>
#include <QString>

namespace vask {

// The eight cursors of the program, by their table index:
// 1 CROSSHAIR, 2 GRABHAND, 3 SELECTION, 4 CALC (busy), 5 UNDO, 6 ZOOM, 7 DRAGDROP, 8 DARROW.
enum ProgramCursor {
    kDefaultCursor = 0,
    kCrossHairCursor = 1,
    kGrabHandCursor = 2,
    kSelectionCursor = 3,
    kCalcCursor = 4,
    kUndoCursor = 5,
    kZoomCursor = 6,
    kDragDropCursor = 7,
    kDArrowCursor = 8,
    // Not a table index: what applicationCursorIndex() answers while the system drag cursor
    // shows.
    kSystemDragCursor = -1,
};

// Loads the eight cursor images (32 x 32 XPM, resources ":/cursors/NAME.xpm") from the
// program's resources into the cursor table; an image that cannot be read leaves the arrow
// in its place, with a warning. programCursor loads them on first use if nobody did.
void LoadProgramCursors();
// The cursor at a table index; 0 or an unknown index gives the default arrow.
QCursor programCursor(int index);
// The resource name of a cursor index ("CROSSHAIR" ...), empty for an unknown index.
QString programCursorName(int index);

// The application-wide cursor (what the system's Screen.Cursor was), kept as one Qt override
// cursor that is changed in place, never stacked: any table index shows that cursor over
// every window; 0 (or an unknown index) removes every override cursor, so each widget's own
// cursor shows again.
void setApplicationCursor(int index);
// The index last set: 0 default, 1..8, or kSystemDragCursor.
int applicationCursorIndex();
// Shows the system's drag cursor (Qt::DragMoveCursor) over every window (mouse function 4).
void setApplicationDragCursor();

} // namespace vask
