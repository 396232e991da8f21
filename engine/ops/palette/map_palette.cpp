#include "engine/ops/palette/map_palette.h"

#include "engine/ops/palette/palette_mapping.h"

namespace vask {

void mapPalette(Image& image, const Image& paletteSource)
{
    if (image.isNull() || paletteSource.isNull() || paletteSource.isTrueColour())
        return;
    // paletteSource may be image itself: take what is needed before image changes.
    const std::vector<Rgb> palette = paletteSource.palette();
    Image out = mapToPalette(image, palette, paletteSource.depth(), false, false);
    image.swap(out);
}

} // namespace vask
