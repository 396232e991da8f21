#include "engine/ops/composite/put_row.h"

#include "engine/image/image_error.h"
#include "engine/ops/palette/nearest_colour.h"

#include <algorithm>
#include <string>

namespace vask {

void putRow(Image& image, int row, std::span<const Rgb> colours)
{
    if (image.isNull())
        throw ImageError("There is no picture to write a row into.");
    if (row < 0 || row >= image.height())
        throw ImageError("Row " + std::to_string(row) + " is outside the picture, which has rows 0 to " +
                         std::to_string(image.height() - 1) + ".");
    const int count =
        static_cast<int>(std::min<std::size_t>(colours.size(), static_cast<std::size_t>(image.width())));
    if (image.isTrueColour()) {
        Rgb* to = image.rgbRow(row);
        for (int x = 0; x < count; ++x)
            to[x] = colours[x] | 0xFF000000u;
        return;
    }
    NearestColour nearest(image.palette());
    std::uint8_t* to = image.row(row);
    for (int x = 0; x < count; ++x)
        to[x] = nearest.indexOf(colours[x]);
}

} // namespace vask
