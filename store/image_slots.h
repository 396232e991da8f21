#pragma once

class QWidget;

namespace vask {

class TPicbuf;

// The spare pictures kept on the background window: the undo picture, the marked picture,
// the copy picture and the program's own clipboard, and the moves between them.

// store true: copies the active picture into the undo slot when allowed (the auto-undo
// switch); store false: restores the undo picture into the active picture (repeatable).
void Undo(bool store, bool allowed);
// The undo copy of a given picture (an image window receiving a drop).
void StoreUndoPicture(bool allowed, TPicbuf& picture);
// store true: marks the active picture; false: restores the marked one.
void Mark(bool store);
// store true: keeps a copy of the picture; false: gives it back.
void CopyImage(bool store, TPicbuf& picture);
// A new image window "Selection" holding the source's selection area.
void ImageFromSelection(TPicbuf& source);
// Copy or paste the active picture (whole or its selection), or paste as a new image
// "Clipboard Data", through the program's own clipboard or the system clipboard.
void Clipboard(bool copy, bool whole, bool asNew, TPicbuf& privateClipboard, bool usePrivate);

// The automatic undo copy an editing command makes first: Undo(true, the auto-undo switch).
void MakeAutoUndoCopy();

} // namespace vask
