#pragma once

#include "engine/image/image.h"

#include <optional>

namespace vask {

enum class AssignMode { TotalReplacement = 0, UnionComposite = 1, IntersectionComposite = 2, ResizeComposite = 3 };

// 0 and 1 replicate or delete pixels, 2 and 3 resample; 0 and 2 keep the source's aspect
// (fitted inside the target area and centred), 1 and 3 stretch it to fill the area.
enum class ResizeMode { ReplicateFixedAspect = 0, ReplicateFloatingAspect = 1, ResampleFixedAspect = 2, ResampleFloatingAspect = 3 };

// Copies the source (or its selection) into the target (or its selection):
// TotalReplacement copies at 1:1 from the area's top-left, clipped to the target area;
// without a target selection the target becomes a copy of the source area (size and depth).
// Union and Intersection combine source and target bitwise (OR, AND) at 1:1.
// ResizeComposite scales the source area into the target area by the resize mode.
// Selections are clipped to their pictures; an area that lies wholly outside changes nothing.
// When depths differ, the source's colours are brought to the target: promoted for a
// 24-bit target, mapped to the nearest target palette entry otherwise.
void assignImage(Image& target, const std::optional<Rect>& targetSelection, const Image& source,
                 const std::optional<Rect>& sourceSelection, AssignMode assignMode, ResizeMode resizeMode);

} // namespace vask
