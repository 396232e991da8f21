// The codecs built on libtiff, libjpeg-turbo and libpng, in memory on the 6000 x 4000
// picture: no disk time is included, only encoding into bytes and decoding from them.

#include "bench/bench_pictures.h"

#include "engine/codecs/jpeg_codec.h"
#include "engine/codecs/png_codec.h"
#include "engine/codecs/tiff_codec.h"

namespace vask::bench {
namespace {

const CodecBenchmark kCodecs[] = {
    {"TiffEncodeUncompressed", "TiffDecodeUncompressed", benchPicture,
     [](const Image& p) { return encodeTiff(p, 0); }, decodeTiff},
    {"TiffEncodeDeflate", "TiffDecodeDeflate", benchPicture, [](const Image& p) { return encodeTiff(p, 1); },
     decodeTiff},
    {"TiffEncodePalettePackBits", nullptr, benchPalettePicture,
     [](const Image& p) { return encodeTiff(p, 2); }, nullptr},
    {"JpegEncodeQuality75", "JpegDecodeQuality75", benchPicture,
     [](const Image& p) { return encodeJpeg(p, 75, 0); }, decodeJpeg},
    {"JpegEncodeProgressive", nullptr, benchPicture, [](const Image& p) { return encodeJpeg(p, 75, 1); },
     nullptr},
    {"PngEncode", "PngDecode", benchPicture, [](const Image& p) { return encodePng(p, false); }, decodePng},
    {"PngEncodePalette", nullptr, benchPalettePicture, [](const Image& p) { return encodePng(p, false); },
     nullptr},
};

[[maybe_unused]] const bool kRegistered = registerCodecs(kCodecs);

} // namespace
} // namespace vask::bench
