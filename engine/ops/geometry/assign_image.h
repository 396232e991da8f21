#pragma once

#include "engine/image/image.h"

#include <optional>

namespace vask {

enum class AssignMode {
    TotalReplacement = 0,
    UnionComposite = 1,
    IntersectionComposite = 2,
    ResizeComposite = 3
};

// 0 and 1 replicate or delete pixels, 2 and 3 resample; 0 and 2 keep the source's aspect
// (fitted inside the target area and centred), 1 and 3 stretch it to fill the area.
enum class ResizeMode {
    ReplicateFixedAspect = 0,
    ReplicateFloatingAspect = 1,
    ResampleFixedAspect = 2,
    ResampleFloatingAspect = 3
};

// Copies the source (or its selection) into the target (or its selection):
// TotalReplacement copies at 1:1 from the area's top-left, clipped to the target area;
// without a target selection the target becomes a copy of the source area (size, depth and
// palette; the source selection clipped to the source).
// Union and Intersection combine source and target bitwise (OR, AND) at 1:1: 24-bit pixels
// word by word, palette pictures index by index.
// ResizeComposite scales the source area into the target area by the resize mode: 0 and 1
// nearest pixel, 2 and 3 resampleImage's High filter (area-averaging when shrinking,
// Lanczos when enlarging); 0 and 2 fit the source inside the area keeping its proportions
// and centre it (the uncovered rest of the area keeps its pixels), 1 and 3 stretch it.
//
// Selections are in picture pixels and may stick out of their pictures. At 1:1 the two
// selections' top-left corners meet and only what lies inside both pictures and both
// selections is touched (a source selection with left -27 puts source column 0 at target
// area column 27). ResizeComposite scales the source selection as given, reading black
// where it leaves the source, so a zoom shows the picture's edge where it belongs; a target
// selection that leaves the target is clipped after placing. An empty selection, or one
// lying wholly outside its picture, changes nothing.
//
// Depths: the source's colours are first brought to the target's depth: looked up for a
// 24-bit target; for a palette target the source's indices are kept when both palettes are
// the same, otherwise each source colour becomes the nearest target palette entry (and
// Union and Intersection then combine those indices).
// Runs on all cores. ImageError for a null source, a null target (except for a total
// replacement without target selection), a mode outside 0..3 or a selection side above 65535.
void assignImage(Image& target, const std::optional<Rect>& targetSelection, const Image& source,
                 const std::optional<Rect>& sourceSelection, AssignMode assignMode, ResizeMode resizeMode);

} // namespace vask
