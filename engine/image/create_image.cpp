#include "engine/image/create_image.h"

namespace vask {

Image createImage(int depth, int width, int height, Rgb fill)
{
    Image image(width, height, depth);
    fill |= 0xFF000000u;
    if (depth == 24) {
        image.fill(fill);
        return image;
    }
    int index = -1;
    for (int i = 0; i < static_cast<int>(image.palette().size()); ++i)
        if (image.palette()[i] == fill) {
            index = i;
            break;
        }
    if (index < 0) {
        index = 0;
        image.setPaletteEntry(0, fill);
    }
    image.fill(static_cast<Rgb>(index));
    return image;
}

} // namespace vask
