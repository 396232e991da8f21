#include "engine/ops/geometry/assign_image.h"

#include "engine/image/image_error.h"
#include "engine/ops/geometry/resample_area.h"
#include "engine/ops/palette/nearest_colour.h"
#include "engine/parallel/bands.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace vask {
namespace {

// Selections use the system's 16-bit coordinates; a longer side is a caller's mistake.
constexpr std::int64_t kMaxSelectionSide = 65535;

// A rectangle as half-open 64-bit edges, so shifting and clipping cannot overflow.
struct Box {
    std::int64_t left = 0, top = 0, right = 0, bottom = 0;
    bool isEmpty() const { return right <= left || bottom <= top; }
    std::int64_t width() const { return right - left; }
    std::int64_t height() const { return bottom - top; }
};

Box boxOf(const Rect& r)
{
    return {r.left, r.top, std::int64_t(r.left) + r.width, std::int64_t(r.top) + r.height};
}

Box boundsOf(const Image& image)
{
    return {0, 0, image.width(), image.height()};
}

Box intersect(const Box& a, const Box& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

Box shifted(const Box& b, std::int64_t dx, std::int64_t dy)
{
    return {b.left + dx, b.top + dy, b.right + dx, b.bottom + dy};
}

void checkSelection(const std::optional<Rect>& selection, const char* which)
{
    if (selection && (selection->width > kMaxSelectionSide || selection->height > kMaxSelectionSide))
        throw ImageError(std::string("The ") + which + " selection of " + std::to_string(selection->width) +
                         " x " + std::to_string(selection->height) +
                         " pixels is larger than pictures can be.");
}

enum class Combine { Replace, Or, And };

template <typename Pixel, typename Fetch>
inline void combineRow(Pixel* to, int width, Combine combine, Fetch fetch)
{
    switch (combine) {
    case Combine::Replace:
        for (int x = 0; x < width; ++x)
            to[x] = fetch(x);
        break;
    case Combine::Or:
        for (int x = 0; x < width; ++x)
            to[x] |= fetch(x);
        break;
    case Combine::And:
        for (int x = 0; x < width; ++x)
            to[x] &= fetch(x);
        break;
    }
}

// The target index of every source palette entry: the nearest target palette entry.
std::array<std::uint8_t, 256> paletteBridge(const Image& source, const Image& target)
{
    std::array<std::uint8_t, 256> bridge{};
    NearestColour nearest(target.palette());
    for (std::size_t i = 0; i < source.palette().size(); ++i)
        bridge[i] = nearest.indexOf(source.palette()[i]);
    return bridge;
}

// Combines the source pixels [sx, sx + width) x [sy, sy + height) into the target at
// (tx, ty), after bringing them to the target's depth: a 24-bit target takes colours; a
// palette target takes the source's indices unchanged when both palettes are the same,
// otherwise the nearest target entry to each source colour. All rectangles lie inside.
void combineRegion(Image& target, int tx, int ty, const Image& source, int sx, int sy, int width, int height,
                   Combine combine)
{
    if (target.isTrueColour()) {
        const Rgb* palette = source.palette().data();
        forEachBand(height, [&](int first, int end) {
            for (int y = first; y < end; ++y) {
                Rgb* to = target.rgbRow(ty + y) + tx;
                if (source.isTrueColour()) {
                    const Rgb* from = source.rgbRow(sy + y) + sx;
                    combineRow(to, width, combine, [from](int x) { return from[x]; });
                } else {
                    const std::uint8_t* from = source.row(sy + y) + sx;
                    combineRow(to, width, combine, [from, palette](int x) { return palette[from[x]]; });
                }
            }
        });
        return;
    }
    if (!source.isTrueColour()) {
        const bool samePalette = source.palette() == target.palette();
        const std::array<std::uint8_t, 256> bridge =
            samePalette ? std::array<std::uint8_t, 256>{} : paletteBridge(source, target);
        forEachBand(height, [&](int first, int end) {
            for (int y = first; y < end; ++y) {
                std::uint8_t* to = target.row(ty + y) + tx;
                const std::uint8_t* from = source.row(sy + y) + sx;
                if (samePalette)
                    combineRow(to, width, combine, [from](int x) { return from[x]; });
                else
                    combineRow(to, width, combine, [from, &bridge](int x) { return bridge[from[x]]; });
            }
        });
        return;
    }
    forEachBand(height, [&](int first, int end) {
        NearestColour nearest(target.palette());
        for (int y = first; y < end; ++y) {
            std::uint8_t* to = target.row(ty + y) + tx;
            const Rgb* from = source.rgbRow(sy + y) + sx;
            combineRow(to, width, combine, [from, &nearest](int x) { return nearest.indexOf(from[x]); });
        }
    });
}

// TotalReplacement without a target selection: the target becomes the source area.
void replaceWholeTarget(Image& target, const Image& source, const Box& area)
{
    Image copy(static_cast<int>(area.width()), static_cast<int>(area.height()), source.depth());
    copy.setPalette(source.palette());
    const std::size_t rowBytes = static_cast<std::size_t>(area.width()) * source.bytesPerPixel();
    const std::size_t offset = static_cast<std::size_t>(area.left) * source.bytesPerPixel();
    for (int y = 0; y < copy.height(); ++y)
        std::memcpy(copy.row(y), source.row(static_cast<int>(area.top) + y) + offset, rowBytes);
    target = std::move(copy);
}

// Union, Intersection and TotalReplacement into a selection: the area's top-left corners
// meet; only pixels inside the source, its area, the target area and the target are touched.
void combineOneToOne(Image& target, const Box& targetArea, const Image& source, const Box& sourceArea,
                     Combine combine)
{
    const std::int64_t dx = targetArea.left - sourceArea.left;
    const std::int64_t dy = targetArea.top - sourceArea.top;
    const Box reachable = shifted(intersect(targetArea, boundsOf(target)), -dx, -dy);
    const Box region = intersect(intersect(sourceArea, boundsOf(source)), reachable);
    if (region.isEmpty())
        return;
    combineRegion(target, static_cast<int>(region.left + dx), static_cast<int>(region.top + dy), source,
                  static_cast<int>(region.left), static_cast<int>(region.top),
                  static_cast<int>(region.width()), static_cast<int>(region.height()), combine);
}

// ResizeComposite: the source area scaled into the target area. Only the part that lands
// inside the target is computed; the source area reads black where it leaves the source.
void resizeInto(Image& target, const Box& targetArea, const Image& source, const Box& sourceArea,
                ResizeMode mode)
{
    const bool fixedAspect =
        mode == ResizeMode::ReplicateFixedAspect || mode == ResizeMode::ResampleFixedAspect;
    const std::int64_t areaWidth = targetArea.width(), areaHeight = targetArea.height();
    const std::int64_t sourceWidth = sourceArea.width(), sourceHeight = sourceArea.height();
    std::int64_t width = areaWidth, height = areaHeight;
    if (fixedAspect) {
        // Fit inside the area keeping the proportions (rounded to whole pixels), centred.
        if (areaWidth * sourceHeight <= areaHeight * sourceWidth)
            height =
                std::max<std::int64_t>(1, (2 * sourceHeight * areaWidth + sourceWidth) / (2 * sourceWidth));
        else
            width =
                std::max<std::int64_t>(1, (2 * sourceWidth * areaHeight + sourceHeight) / (2 * sourceHeight));
    }
    const Box placed{targetArea.left + (areaWidth - width) / 2, targetArea.top + (areaHeight - height) / 2,
                     targetArea.left + (areaWidth - width) / 2 + width,
                     targetArea.top + (areaHeight - height) / 2 + height};
    const Box visible = intersect(placed, boundsOf(target));
    if (visible.isEmpty())
        return;
    const Rect window{static_cast<int>(visible.left - placed.left),
                      static_cast<int>(visible.top - placed.top), static_cast<int>(visible.width()),
                      static_cast<int>(visible.height())};
    const Rect area{static_cast<int>(sourceArea.left), static_cast<int>(sourceArea.top),
                    static_cast<int>(sourceWidth), static_cast<int>(sourceHeight)};
    const ResampleQuality quality =
        mode == ResizeMode::ReplicateFixedAspect || mode == ResizeMode::ReplicateFloatingAspect
            ? ResampleQuality::Fast
            : ResampleQuality::High;
    const Image patch =
        resampleArea(source, area, static_cast<int>(width), static_cast<int>(height), window, quality);
    combineRegion(target, static_cast<int>(visible.left), static_cast<int>(visible.top), patch, 0, 0,
                  window.width, window.height, Combine::Replace);
}

} // namespace

void assignImage(Image& target, const std::optional<Rect>& targetSelection, const Image& source,
                 const std::optional<Rect>& sourceSelection, AssignMode assignMode, ResizeMode resizeMode)
{
    if (source.isNull())
        throw ImageError("There is no source picture to assign from.");
    if (static_cast<unsigned>(assignMode) > 3)
        throw ImageError("The assign mode " + std::to_string(static_cast<int>(assignMode)) +
                         " is not one of 0 to 3.");
    if (static_cast<unsigned>(resizeMode) > 3)
        throw ImageError("The resize mode " + std::to_string(static_cast<int>(resizeMode)) +
                         " is not one of 0 to 3.");
    checkSelection(sourceSelection, "source");
    checkSelection(targetSelection, "target");
    const Box sourceArea = sourceSelection ? boxOf(*sourceSelection) : boundsOf(source);
    const Box sourceInside = intersect(sourceArea, boundsOf(source));
    if (sourceArea.isEmpty() || sourceInside.isEmpty())
        return;
    if (assignMode == AssignMode::TotalReplacement && !targetSelection) {
        replaceWholeTarget(target, source, sourceInside);
        return;
    }
    if (target.isNull())
        throw ImageError("There is no target picture to assign to.");
    const Box targetArea = targetSelection ? boxOf(*targetSelection) : boundsOf(target);
    if (targetArea.isEmpty() || intersect(targetArea, boundsOf(target)).isEmpty())
        return;
    // Reading and writing one picture: work from a copy of the source.
    const Image sourceCopy = &source == &target ? source : Image();
    const Image& from = &source == &target ? sourceCopy : source;
    switch (assignMode) {
    case AssignMode::TotalReplacement:
        combineOneToOne(target, targetArea, from, sourceArea, Combine::Replace);
        break;
    case AssignMode::UnionComposite:
        combineOneToOne(target, targetArea, from, sourceArea, Combine::Or);
        break;
    case AssignMode::IntersectionComposite:
        combineOneToOne(target, targetArea, from, sourceArea, Combine::And);
        break;
    case AssignMode::ResizeComposite:
        resizeInto(target, targetArea, from, sourceArea, resizeMode);
        break;
    }
}

} // namespace vask
