#include "engine/ops/palette/increase_depth.h"

#include "engine/image/image_error.h"
#include "engine/image/true_colour.h"

#include <cstring>
#include <string>

namespace vask {

void increaseDepth(Image& image, int depth)
{
    if (!Image::isValidDepth(depth))
        throw ImageError("A picture cannot be raised to " + std::to_string(depth) +
                         " bits per pixel: use 4, 8 or 24.");
    if (image.isNull() || depth <= image.depth())
        return;
    if (depth == 24) {
        promoteToTrueColour(image);
        return;
    }
    // Palette pictures keep one index per byte at every depth, so the rows copy as they are.
    Image out(image.width(), image.height(), depth);
    const std::size_t bytes = std::min(out.stride(), image.stride());
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(out.row(y), image.row(y), bytes);
    out.setPalette(image.palette());
    image.swap(out);
}

} // namespace vask
