#pragma once

#include <QString>

class QWidget;

namespace vask {

class TKV_DragSelection;
class TPicbuf;

// The drop options as the Options page of the utilities window shows them at this moment
// (the defaults of the page when the window does not exist).
struct DropOptions {
    bool dstSelection = true;
    bool srcSelection = false;
    bool preventSelf = true;
    bool autoEqualise = true;
    bool raise24 = true;
    bool equaliseDepths = true;
    bool remap = true;
    bool resize = true;
    bool fixedAspect = false;
    bool dragAsImage = true;
    bool asImageWithSource = true;
};
DropOptions currentDropOptions();

// Every routine here reports its own faults ("Error:- UDragDrop32v1 - Code n") and returns
// normally.

// A new image window at (x, y) of the frame's client area holding a copy of source (a picture
// buffer or a LEAD control); caption "[Copy] " + file name for another image window's picture,
// "Dropped Image" otherwise. A source without image is ignored.
void DropAsNewWindow(QWidget* source, int x, int y);

// The compatibility step before a paste: with autoEqualise off nothing changes; otherwise
// both pictures are raised to 24 bits (raise24), or the source takes the destination's depth
// (equaliseDepths) and palette (remap), and with resize the destination's resize and assign
// modes are set for a paste into its selection (fixedAspect chooses the resize mode).
void EqualiseForDrop(TPicbuf& source, TPicbuf& destination, bool autoEqualise, bool equaliseDepths,
                     bool raise24, bool remap, bool resize, bool fixedAspect);

// The paste of a drop at control point (x, y) of destination; with "Drag as Floating Image"
// the destination's selection is first moved to the drop point.
void PasteImages(TPicbuf& destination, TPicbuf& source, int x, int y, bool useDstSelection,
                 bool useSrcSelection);

// Moves the destination's selection so its top-left is the image pixel under control point
// (x + 1, y + 2); with copySize it takes the source selection's size.
void PositionSelectionAtDrop(const TPicbuf& source, TPicbuf& destination, int x, int y, bool copySize);

// Moves the floating window one pixel right of and below control point (x, y) of destination
// and sizes it to the source's (useSourceSize) or the destination's selection seen at the
// destination's display scale.
void PositionFloatingImage(const TPicbuf& source, const TPicbuf& destination, int x, int y,
                           bool useSourceSize);

// Screen coordinates of a control point of a destination picture.
int DropPointToScreenX(int x, const TPicbuf& destination);
int DropPointToScreenY(int y, const TPicbuf& destination);

// The floating thumbnail: 100 x 100 at the picture's depth, cyan, with the picture's
// selection (the whole picture without one) fitted into it.
void PrepareDragImage(const TPicbuf& picture);

// Automatic drag mode for the picture when it holds an image.
void ArmImageDrag(TPicbuf* picture);

// 0 enters drag mode (mouse function 4, drag buttons disabled); 1 leaves it (the drop is
// over, mouse function 0, drag buttons enabled).
void SetDragState(int state);

// 0 automatic, 1 manual drag mode for every picture, LEAD control and text box of the
// utilities window.
void SetUtilityDragModes(int mode);

// Manual drag mode for a picture, LEAD control or text box; other controls are left alone.
void ResetDragMode(QWidget* control);

// Default cursor; the floating window hidden.
void HideFloatingImage();

// A picture or LEAD control left in automatic drag mode outside drag mode goes back to manual.
void CancelAutoDrag(QWidget* control, int mouseFunction);

bool HasDragImage(const TPicbuf* picture);

// Shows exactly one of the floating window's text label and thumbnail.
void ShowDragTextOrImage(bool isText, TKV_DragSelection* floating);

// The caption DropAsNewWindow gives the window made for source.
QString droppedImageCaption(const QWidget* source);

} // namespace vask
