#include "engine/ops/colour/negate.h"

#include "engine/ops/colour/change_colours.h"

namespace vask {
namespace {

// 255 - v on each channel is v XOR 0xFF; the top byte stays 0xFF.
void negateRow(Rgb* __restrict row, int width)
{
    for (int x = 0; x < width; ++x)
        row[x] ^= 0x00FFFFFFu;
}

} // namespace

void negateImage(Image& image)
{
    changeColours(
        image, [](Rgb entry) { return entry ^ 0x00FFFFFFu; }, negateRow);
}

} // namespace vask
