#include "engine/codecs/palette_file.h"
#include "engine/image/image_error.h"

#include <cstdlib>

// Any input gives a palette of 1 to 256 colours or an ImageError; a palette that decodes is
// written back and must read back the same.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const std::vector<vask::Rgb> palette = vask::decodePalette(vask::ByteSpan(data, size));
        if (palette.empty() || palette.size() > 256)
            std::abort();
        if (vask::decodePalette(vask::encodePalette(palette)) != palette)
            std::abort();
    } catch (const vask::ImageError&) {
    }
    return 0;
}
