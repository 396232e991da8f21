#include "engine/codecs/pcx_codec.h"
#include "engine/image/image_error.h"
#include "tests/fuzz/fuzz_support.h"

// Any input gives a picture or an ImageError; a picture that decodes is written back at its
// own depth and as 24 bits, and must read back with the same colours both times.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const vask::Image picture = vask::decodePcx(vask::ByteSpan(data, size));
        if (vask::fuzz::smallEnoughToRoundTrip(picture)) {
            vask::fuzz::requireSameColours(picture, vask::decodePcx(vask::encodePcx(picture)));
            vask::fuzz::requireSameColours(picture, vask::decodePcx(vask::encodePcx(picture, 24)));
        }
    } catch (const vask::ImageError&) {
    }
    return 0;
}
