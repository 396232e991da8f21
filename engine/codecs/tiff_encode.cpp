#include "engine/codecs/tiff_codec.h"

#include "engine/codecs/tiff_stream.h"
#include "engine/image/image_error.h"
#include "engine/image/pixel_memory.h"
#include "engine/parallel/bands.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>
#include <zlib.h>

// Writing. Picture rows are packed into file rows on all cores, a few strips at a time, and
// handed to libtiff strip by strip. Uncompressed strips are large (libtiff copies each out in
// one piece); compressed ones stay small enough for other readers. Deflate strips are
// compressed on all cores here with zlib, the stream libtiff itself would make, and given to
// libtiff whole; PackBits is left to libtiff.

namespace vask {
namespace {

constexpr std::size_t kUncompressedStripBytes = std::size_t(1) << 20;
constexpr std::size_t kCompressedStripBytes = std::size_t(256) << 10;
constexpr std::size_t kChunkBytes = std::size_t(4) << 20;
// zlib's default level, as libtiff and libvips use: on the 6000 x 4000 benchmark picture 13%
// smaller than level 4 for three times the work, which two cores share.
constexpr int kDeflateLevel = 6;

std::size_t fileRowBytes(int width, int depth)
{
    return depth == 24 ? std::size_t(width) * 3 : (std::size_t(width) * depth + 7) / 8;
}

// Four pixels at a time become one 8-byte and one 4-byte store: byte stores one at a time
// were the slowest part of an uncompressed save. q = 0x00BBGGRR is one pixel in file order.
void packRgbRow(const Rgb* __restrict src, std::uint8_t* __restrict dst, int width)
{
    const int quads = width / 4;
    for (int i = 0; i < quads; ++i) {
        const std::uint64_t q0 = __builtin_bswap32(src[4 * i]) >> 8;
        const std::uint64_t q1 = __builtin_bswap32(src[4 * i + 1]) >> 8;
        const std::uint64_t q2 = __builtin_bswap32(src[4 * i + 2]) >> 8;
        const std::uint32_t q3 = __builtin_bswap32(src[4 * i + 3]) >> 8;
        const std::uint64_t low = q0 | (q1 << 24) | (q2 << 48);
        const std::uint32_t high = static_cast<std::uint32_t>(q2 >> 16) | (q3 << 8);
        std::memcpy(dst + 12 * i, &low, 8);
        std::memcpy(dst + 12 * i + 8, &high, 4);
    }
    for (int x = quads * 4; x < width; ++x) {
        const Rgb p = src[x];
        dst[3 * x] = static_cast<std::uint8_t>(p >> 16);
        dst[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
        dst[3 * x + 2] = static_cast<std::uint8_t>(p);
    }
}

void packNibbleRow(const std::uint8_t* __restrict src, std::uint8_t* __restrict dst, int width)
{
    const int pairs = width / 2;
    for (int i = 0; i < pairs; ++i)
        dst[i] = static_cast<std::uint8_t>(((src[2 * i] & 15) << 4) | (src[2 * i + 1] & 15));
    if (width & 1)
        dst[pairs] = static_cast<std::uint8_t>((src[width - 1] & 15) << 4);
}

void packBitRow(const std::uint8_t* __restrict src, std::uint8_t* __restrict dst, int width)
{
    const int whole = width / 8;
    for (int i = 0; i < whole; ++i) {
        unsigned byte = 0;
        for (int k = 0; k < 8; ++k)
            byte = (byte << 1) | (src[8 * i + k] & 1u);
        dst[i] = static_cast<std::uint8_t>(byte);
    }
    if (width % 8) {
        unsigned byte = 0;
        for (int x = whole * 8; x < width; ++x)
            byte |= (src[x] & 1u) << (7 - x % 8);
        dst[whole] = static_cast<std::uint8_t>(byte);
    }
}

// The horizontal predictor: each sample becomes its difference from the same sample of the
// pixel to its left (modulo 256), which decoders add back.
void differenceRgbRow(std::uint8_t* row, std::size_t rowBytes)
{
    unsigned left[3] = {row[0], row[1], row[2]};
    for (std::size_t i = 3; i + 2 < rowBytes; i += 3) {
        for (int c = 0; c < 3; ++c) {
            const unsigned value = row[i + c];
            row[i + c] = static_cast<std::uint8_t>(value - left[c]);
            left[c] = value;
        }
    }
}

// One strip as the zlib stream libtiff would write for Adobe Deflate; 0 when zlib fails.
std::size_t deflateStrip(std::uint8_t* data, std::size_t size, std::size_t rowBytes, bool predict, Bytes& out)
{
    if (predict)
        for (std::size_t at = 0; at < size; at += rowBytes)
            differenceRgbRow(data + at, rowBytes);
    uLongf packed = static_cast<uLongf>(out.size());
    if (compress2(out.data(), &packed, data, static_cast<uLong>(size), kDeflateLevel) != Z_OK)
        return 0;
    return packed;
}

void packRow(const Image& image, int y, std::uint8_t* dst)
{
    switch (image.depth()) {
    case 24:
        packRgbRow(image.rgbRow(y), dst, image.width());
        break;
    case 8:
        std::memcpy(dst, image.row(y), static_cast<std::size_t>(image.width()));
        break;
    case 4:
        packNibbleRow(image.row(y), dst, image.width());
        break;
    default:
        packBitRow(image.row(y), dst, image.width());
        break;
    }
}

// A black-and-white 1-bit picture is written as plain bilevel, which every reader takes;
// any other palette goes into a colour map.
void setColourTags(TIFF* tif, const Image& image)
{
    const int depth = image.depth();
    if (depth == 24) {
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        return;
    }
    const auto& palette = image.palette();
    const Rgb black = packRgb(0, 0, 0);
    const Rgb white = packRgb(255, 255, 255);
    if (depth == 1 && palette[0] == black && palette[1] == white) {
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
        return;
    }
    if (depth == 1 && palette[0] == white && palette[1] == black) {
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
        return;
    }
    std::vector<std::uint16_t> red(palette.size()), green(palette.size()), blue(palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i) {
        red[i] = static_cast<std::uint16_t>(redOf(palette[i]) * 257);
        green[i] = static_cast<std::uint16_t>(greenOf(palette[i]) * 257);
        blue[i] = static_cast<std::uint16_t>(blueOf(palette[i]) * 257);
    }
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
    TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
}

struct StripLayout {
    std::size_t rowBytes;
    int rowsPerStrip;
    int strips;
};

StripLayout checkAndLayOut(const Image& image, int compression)
{
    if (image.isNull())
        throw ImageError("There is no picture to save.");
    if (compression < 0 || compression > 2)
        throw ImageError("TIFF compression " + std::to_string(compression) +
                         " is not offered: use 0 (none), 1 (Deflate) or 2 (PackBits).");
    const std::size_t rowBytes = fileRowBytes(image.width(), image.depth());
    const std::size_t stripBytes = compression == 0 ? kUncompressedStripBytes : kCompressedStripBytes;
    const int rowsPerStrip = static_cast<int>(
        std::clamp<std::size_t>(stripBytes / rowBytes, 1, static_cast<std::size_t>(image.height())));
    return {rowBytes, rowsPerStrip, (image.height() + rowsPerStrip - 1) / rowsPerStrip};
}

void writeTiff(TiffStream& file, const Image& image, int compression, const StripLayout& layout)
{
    const int width = image.width();
    const int height = image.height();
    const int depth = image.depth();
    const std::size_t rowBytes = layout.rowBytes;
    const int rowsPerStrip = layout.rowsPerStrip;
    const int strips = layout.strips;
    TIFF* tif = file.get();
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(width));
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(height));
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, depth == 24 ? 8 : depth);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, depth == 24 ? 3 : 1);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, static_cast<std::uint32_t>(rowsPerStrip));
    TIFFSetField(tif, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    TIFFSetField(tif, TIFFTAG_XRESOLUTION, 72.0f);
    TIFFSetField(tif, TIFFTAG_YRESOLUTION, 72.0f);
    setColourTags(tif, image);
    if (compression == 1) {
        TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
        // Differences to the left pixel shrink photographs; palette indices have no order.
        if (depth == 24)
            TIFFSetField(tif, TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    } else {
        TIFFSetField(tif, TIFFTAG_COMPRESSION, compression == 2 ? COMPRESSION_PACKBITS : COMPRESSION_NONE);
    }

    // Strips are packed (and deflated) on all cores, a few megabytes at a time, then handed
    // to libtiff in order.
    const int chunkStrips = static_cast<int>(std::clamp<std::size_t>(kChunkBytes / (rowBytes * rowsPerStrip),
                                                                     1, static_cast<std::size_t>(strips)));
    const std::size_t stripBufferBytes = std::size_t(rowsPerStrip) * rowBytes;
    PixelScratch chunk(std::size_t(chunkStrips) * stripBufferBytes);
    const bool deflate = compression == 1;
    std::vector<Bytes> deflated(deflate ? chunkStrips : 0);
    std::vector<std::size_t> deflatedSizes(deflated.size());
    for (Bytes& out : deflated)
        out.resize(compressBound(static_cast<uLong>(stripBufferBytes)));

    for (int firstStrip = 0; firstStrip < strips; firstStrip += chunkStrips) {
        const int count = std::min(chunkStrips, strips - firstStrip);
        forEachBand(
            count,
            [&](int begin, int end) {
                for (int s = begin; s < end; ++s) {
                    const int y = (firstStrip + s) * rowsPerStrip;
                    const int rows = std::min(rowsPerStrip, height - y);
                    std::uint8_t* data = chunk.data() + std::size_t(s) * stripBufferBytes;
                    for (int r = 0; r < rows; ++r)
                        packRow(image, y + r, data + std::size_t(r) * rowBytes);
                    if (deflate)
                        deflatedSizes[s] = deflateStrip(data, std::size_t(rows) * rowBytes, rowBytes,
                                                        depth == 24, deflated[s]);
                }
            },
            1);
        for (int s = 0; s < count; ++s) {
            const auto strip = static_cast<std::uint32_t>(firstStrip + s);
            tmsize_t written = -1;
            if (deflate) {
                if (deflatedSizes[s] > 0)
                    written = TIFFWriteRawStrip(tif, strip, deflated[s].data(),
                                                static_cast<tmsize_t>(deflatedSizes[s]));
            } else {
                const int rows = std::min(rowsPerStrip, height - (firstStrip + s) * rowsPerStrip);
                // libtiff may reverse or swap the bytes it is given in place; they are ours to lose.
                written = TIFFWriteEncodedStrip(tif, strip, chunk.data() + std::size_t(s) * stripBufferBytes,
                                                static_cast<tmsize_t>(std::size_t(rows) * rowBytes));
            }
            if (written < 0)
                file.fail("The TIFF file cannot be written");
        }
    }
    file.finishWriting();
}

} // namespace

Bytes encodeTiff(const Image& image, int compression)
{
    const StripLayout layout = checkAndLayOut(image, compression);
    Bytes bytes;
    TiffStream file(bytes, layout.rowBytes * image.height() + 8 * std::size_t(layout.strips) + 4096);
    writeTiff(file, image, compression, layout);
    return bytes;
}

void encodeTiffToFile(const Image& image, int compression, int fileDescriptor)
{
    const StripLayout layout = checkAndLayOut(image, compression);
    TiffStream file(fileDescriptor);
    writeTiff(file, image, compression, layout);
}

} // namespace vask
