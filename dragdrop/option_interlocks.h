#pragma once

class QCheckBox;
class QRadioButton;

namespace vask {

// The interlocks between the drop options of the utilities window's Options page. Each routine
// traps its own faults (a missing control) and reports them as unit UDragDrop32v1.

// Raise24 checked leaves nothing to equalise: the depth and palette options are disabled,
// otherwise enabled. Palette mapping needs equal depths, so a checked remap checks
// equaliseDepths as well.
void EnableDepthOptions(QCheckBox* raise24, QCheckBox* equaliseDepths, QCheckBox* remap);

// A floating image is pasted where it is dropped, after the pictures have been equalised and
// resized: DragSelectionasImage checked checks and locks AutoEqualise, Resize, DstSelection,
// SrcSelection and PSelf and offers the two size choices; unchecked frees the five and locks
// the size choices. FAspect is passed for the routine's full set but not changed.
void SyncFloatingOptions(QCheckBox* autoEqualise, QCheckBox* resize, QCheckBox* dstSelection,
                         QCheckBox* srcSelection, QCheckBox* pSelf, QCheckBox* dragSelectionasImage,
                         QCheckBox* fAspect, QRadioButton* asImagewithSource,
                         QRadioButton* asImagewithDestination);

} // namespace vask
