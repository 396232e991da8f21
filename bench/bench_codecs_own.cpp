#include "bench/bench_pictures.h"

#include "engine/codecs/bmp_codec.h"
#include "engine/codecs/pcx_codec.h"
#include "engine/codecs/tga_codec.h"

namespace vask::bench {
namespace {

const CodecBenchmark kCodecs[] = {
    {"BM_BmpEncode24", "BM_BmpDecode24", benchPicture, [](const Image& p) { return encodeBmp(p); },
     decodeBmp},
    {"BM_TgaEncode24", "BM_TgaDecode24", benchPicture, [](const Image& p) { return encodeTga(p); },
     decodeTga},
    {"BM_PcxEncode24", "BM_PcxDecode24", benchPicture, [](const Image& p) { return encodePcx(p); },
     decodePcx},
    {"BM_PcxEncode8", "BM_PcxDecode8", benchPalettePicture, [](const Image& p) { return encodePcx(p); },
     decodePcx},
};

[[maybe_unused]] const bool kRegistered = registerCodecs(kCodecs);

} // namespace
} // namespace vask::bench
