#include "engine/codecs/bmp_codec.h"
#include "engine/image/image_error.h"
#include "tests/fuzz/fuzz_support.h"

// Any input gives a picture or an ImageError; a picture that decodes is written back and
// must read back with the same colours.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const vask::Image picture = vask::decodeBmp(vask::ByteSpan(data, size));
        if (vask::fuzz::smallEnoughToRoundTrip(picture))
            vask::fuzz::requireSameColours(picture, vask::decodeBmp(vask::encodeBmp(picture)));
    } catch (const vask::ImageError&) {
    }
    return 0;
}
