#include "engine/codecs/msp_codec.h"
#include "engine/image/image_error.h"

// Any input gives a 1-bit picture or an ImageError. MSP files are read only.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const vask::Image picture = vask::decodeMsp(vask::ByteSpan(data, size));
        if (picture.depth() != 1)
            __builtin_trap();
    } catch (const vask::ImageError&) {
    }
    return 0;
}
