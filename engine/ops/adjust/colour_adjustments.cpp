#include "engine/ops/adjust/adjustments.h"

#include "engine/ops/colour/change_colours.h"
#include "engine/ops/colour/hexcone_position.h"
#include "engine/parallel/cpu_dispatch.h"

#include <algorithm>

namespace vask {
namespace {

// Turns hue by sixths x 60 + rest degrees (rest 0..59) on the hexcone: max and min stay, so
// value, lightness and saturation do; the position moves rest / 60 of a sector, rounded.
inline Rgb rotatedColour(Rgb colour, int sixths, int rest)
{
    const hexcone::Position p =
        hexcone::positionOf(int((colour >> 16) & 0xFF), int((colour >> 8) & 0xFF), int(colour & 0xFF));
    int sixtieths = 60 * p.along + rest * p.delta;
    const int carry = sixtieths >= 60 * p.delta;
    sixtieths -= carry ? 60 * p.delta : 0;
    int sector = p.sector + sixths + carry;
    sector -= sector >= 6 ? 6 : 0;
    const int along = (sixtieths + 30) / 60;
    return hexcone::arrange(sector, p.mx, (sector & 1) ? p.mx - along : p.mn + along, p.mn);
}

VASK_VECTOR_CLONES void rotateHueRow(Rgb* __restrict row, int width, int sixths, int rest)
{
    for (int x = 0; x < width; ++x)
        row[x] = rotatedColour(row[x], sixths, rest);
}

// Spreads the channels about (max + min) / 2 by factorThousandths / 1000, at most as far as
// keeps every channel within 0..255: HLS saturation scales, hue and lightness stay.
inline Rgb saturatedColour(Rgb colour, int factorThousandths)
{
    const int r = int((colour >> 16) & 0xFF), g = int((colour >> 8) & 0xFF), b = int(colour & 0xFF);
    const int mx = std::max(r, std::max(g, b)), mn = std::min(r, std::min(g, b));
    const int sum = mx + mn, delta = mx - mn;
    const int room = std::min(sum, 510 - sum);
    // floor(1000 room / delta); the float quotient is close enough for the floor to be exact.
    const int limit =
        static_cast<int>(1000.0f * static_cast<float>(room) / static_cast<float>(delta + (delta == 0)));
    const int factor = std::min(factorThousandths, limit);
    // channel = round((sum + (2 c - sum) x factor / 1000) / 2); never negative, see the limit.
    const auto spread = [&](int c) {
        return std::min(255, (sum * 1000 + (2 * c - sum) * factor + 1000) / 2000);
    };
    return 0xFF000000u | static_cast<Rgb>((spread(r) << 16) | (spread(g) << 8) | spread(b));
}

VASK_VECTOR_CLONES void saturateRow(Rgb* __restrict row, int width, int factorThousandths)
{
    for (int x = 0; x < width; ++x)
        row[x] = saturatedColour(row[x], factorThousandths);
}

} // namespace

void changeHue(Image& image, int degrees)
{
    const int turn = ((std::clamp(degrees, -180, 180) % 360) + 360) % 360;
    if (image.isNull() || turn == 0)
        return;
    const int sixths = turn / 60, rest = turn % 60;
    changeColours(
        image, [&](Rgb colour) { return rotatedColour(colour, sixths, rest); },
        [&](Rgb* row, int width) { rotateHueRow(row, width, sixths, rest); });
}

void changeSaturation(Image& image, int tenthsPercent)
{
    const int v = std::clamp(tenthsPercent, -1000, 1000);
    if (image.isNull() || v == 0)
        return;
    const int factor = 1000 + v;
    changeColours(
        image, [&](Rgb colour) { return saturatedColour(colour, factor); },
        [&](Rgb* row, int width) { saturateRow(row, width, factor); });
}

} // namespace vask
