#include "engine/codecs/bmp_codec.h"

#include "engine/codecs/byte_reader.h"
#include "engine/codecs/packed_rows.h"
#include "engine/image/image_error.h"
#include "engine/parallel/bands.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <vector>

namespace vask {
namespace {

static_assert(std::endian::native == std::endian::little, "pixel words are loaded as little-endian");

constexpr const char* kFormat = "BMP";

constexpr std::uint32_t kRgb = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;
constexpr std::uint32_t kJpeg = 4;
constexpr std::uint32_t kPng = 5;
constexpr std::uint32_t kAlphaBitFields = 6;

constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::uint32_t kInfoHeaderBytes = 40;
constexpr std::uint32_t kOs2HeaderBytes = 64;
constexpr std::size_t kFileHeaderBytes = 14;
// 72 dots per inch, in pixels per metre.
constexpr std::uint32_t kPixelsPerMetre = 2835;

// Everything the headers say about where the pixels are and how they are stored.
struct BmpLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t masks[3] = {};
    std::size_t paletteOffset = 0;
    std::size_t paletteEntries = 0; // entries to read (at most 2^bitCount)
    int paletteEntryBytes = 4;
    std::size_t pixelOffset = 0;
};

std::uint32_t loadU32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

BmpLayout readLayout(ByteReader& in)
{
    BmpLayout layout;
    const std::uint8_t* d = in.data();
    const bool hasFileHeader = in.size() >= 2 && d[0] == 'B' && d[1] == 'M';
    std::size_t declaredOffset = 0;
    std::size_t dibStart = 0;
    if (hasFileHeader) {
        in.skip(10);
        declaredOffset = in.u32le();
        dibStart = kFileHeaderBytes;
    }
    const std::uint32_t headerBytes = in.u32le();
    std::uint32_t colorsUsed = 0;
    bool masksInHeader = false;
    if (headerBytes == kCoreHeaderBytes) {
        layout.width = in.u16le();
        layout.height = in.u16le();
        in.u16le(); // planes
        layout.bitCount = in.u16le();
        layout.paletteEntryBytes = 3;
    } else if (headerBytes >= 16 && headerBytes <= 4096) {
        // OS/2 2.x may end its header after any field; the fields left out are zero.
        std::uint8_t f[120] = {};
        const std::uint8_t* fields = in.take(headerBytes - 4);
        std::memcpy(f, fields, std::min<std::size_t>(headerBytes - 4, sizeof f));
        const auto field32 = [&](int at) { return loadU32(f + at); };
        const std::int32_t height = static_cast<std::int32_t>(field32(4));
        layout.width = static_cast<std::int32_t>(field32(0));
        layout.height = height < 0 ? -std::int64_t(height) : std::int64_t(height);
        layout.topDown = height < 0;
        layout.bitCount = f[10] | (f[11] << 8);
        layout.compression = field32(12);
        colorsUsed = field32(28);
        masksInHeader = headerBytes >= 52 && headerBytes != kOs2HeaderBytes;
        if (masksInHeader)
            for (int i = 0; i < 3; ++i)
                layout.masks[i] = field32(36 + 4 * i);
    } else {
        in.fail("has a bitmap header of " + std::to_string(headerBytes) +
                " bytes, which no BMP writer makes; the file is damaged or not a BMP file.");
    }

    const int bits = layout.bitCount;
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        in.fail("uses " + std::to_string(bits) + " bits per pixel, which BMP files do not have.");
    const std::uint32_t c = layout.compression;
    if (headerBytes == kOs2HeaderBytes && (c == 3 || c == 4))
        in.fail("uses OS/2 Huffman or 24-bit run-length compression, which cannot be read.");
    if (c == kJpeg || c == kPng)
        in.fail(std::string("holds a ") + (c == kJpeg ? "JPEG" : "PNG") +
                " picture inside, which cannot be read; save it as a plain BMP.");
    const bool fields = c == kBitFields || c == kAlphaBitFields;
    const bool valid = c == kRgb || (c == kRle8 && bits == 8) || (c == kRle4 && bits == 4) ||
                       (fields && (bits == 16 || bits == 32));
    if (!valid)
        in.fail("uses compression " + std::to_string(c) + " with " + std::to_string(bits) +
                " bits per pixel, which cannot be read.");

    std::size_t maskBytes = 0;
    if (fields && !masksInHeader) {
        maskBytes = c == kAlphaBitFields ? 16 : 12;
        in.seek(dibStart + headerBytes);
        for (int i = 0; i < 3; ++i)
            layout.masks[i] = in.u32le();
    } else if (!fields && bits == 16) {
        layout.masks[0] = 0x7C00;
        layout.masks[1] = 0x03E0;
        layout.masks[2] = 0x001F;
    } else if (!fields && bits == 32) {
        layout.masks[0] = 0xFF0000;
        layout.masks[1] = 0x00FF00;
        layout.masks[2] = 0x0000FF;
    }

    // Files with a file header say where the pixels start; a packed DIB has them right after
    // the palette. Above 8 bits a palette is only a display hint, skipped.
    layout.paletteOffset = dibStart + headerBytes + maskBytes;
    std::size_t declared = colorsUsed;
    if (headerBytes == kCoreHeaderBytes || declared == 0)
        declared = bits <= 8 ? (std::size_t(1) << bits) : 0;
    const std::size_t computedOffset = layout.paletteOffset + declared * layout.paletteEntryBytes;
    std::size_t entries = bits <= 8 ? std::min<std::size_t>(declared, std::size_t(1) << bits) : 0;
    if (hasFileHeader && declaredOffset >= layout.paletteOffset) {
        layout.pixelOffset = declaredOffset;
        entries = std::min(entries, (declaredOffset - layout.paletteOffset) / layout.paletteEntryBytes);
    } else {
        layout.pixelOffset = computedOffset;
    }
    layout.paletteEntries = entries;
    return layout;
}

// One colour channel of a 16 or 32-bit pixel: where its bits sit and how they widen to 8.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    int drop = 0; // low bits dropped from a channel wider than 8 bits
    std::array<std::uint8_t, 256> toByte{};

    unsigned of(std::uint32_t pixel) const { return toByte[((pixel & mask) >> shift) >> drop]; }
};

Channel channelFor(std::uint32_t mask)
{
    Channel c;
    c.mask = mask;
    if (mask == 0)
        return c;
    c.shift = std::countr_zero(mask);
    const int bits = std::bit_width(mask >> c.shift);
    c.drop = bits > 8 ? bits - 8 : 0;
    // An n-bit value v widens to round(v * 255 / (2^n - 1)), so full scale stays full scale.
    const int max = (1 << (bits - c.drop)) - 1;
    for (int v = 0; v <= max; ++v)
        c.toByte[v] = static_cast<std::uint8_t>((v * 255 + max / 2) / max);
    return c;
}

void convertRow(const BmpLayout& layout, const Channel* channels, const std::uint8_t* src, Image& image,
                int y)
{
    const int width = image.width();
    const int bits = layout.bitCount;
    if (bits <= 8) {
        unpackRow(src, image.row(y), width, bits);
        return;
    }
    Rgb* out = image.rgbRow(y);
    if (bits == 24) {
        bgrToRgbRow(src, out, width);
        return;
    }
    if (bits == 32 && layout.masks[0] == 0xFF0000 && layout.masks[1] == 0xFF00 && layout.masks[2] == 0xFF) {
        for (int x = 0; x < width; ++x)
            out[x] = loadU32(src + 4 * x) | 0xFF000000u;
        return;
    }
    const Channel& r = channels[0];
    const Channel& g = channels[1];
    const Channel& b = channels[2];
    if (bits == 16) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = src[2 * x] | (src[2 * x + 1] << 8);
            out[x] = packRgb(r.of(p), g.of(p), b.of(p));
        }
    } else {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = loadU32(src + 4 * x);
            out[x] = packRgb(r.of(p), g.of(p), b.of(p));
        }
    }
}

// Run-length rows: pixels the data never reaches keep index 0; runs and literals that would
// pass the end of a row are cut there, and decoding stops at the end of the data even
// without the end-of-bitmap escape.
void decodeRunLengths(const std::uint8_t* d, std::size_t n, Image& image, bool fourBit, bool topDown)
{
    const int width = image.width();
    const int height = image.height();
    const auto rowAt = [&](int fileRow) { return image.row(topDown ? fileRow : height - 1 - fileRow); };
    std::size_t pos = 0;
    int x = 0;
    int y = 0;
    while (y < height && n - pos >= 2) {
        const int count = d[pos];
        const unsigned value = d[pos + 1];
        pos += 2;
        if (count > 0) {
            const int end = std::min(width, x + count);
            std::uint8_t* row = rowAt(y);
            if (fourBit) {
                const auto hi = static_cast<std::uint8_t>(value >> 4);
                const auto lo = static_cast<std::uint8_t>(value & 15);
                for (int i = x; i < end; ++i)
                    row[i] = ((i - x) & 1) ? lo : hi;
            } else if (end > x) {
                std::memset(row + x, static_cast<int>(value), static_cast<std::size_t>(end - x));
            }
            x = end;
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++y;
        } else if (value == 1) { // end of bitmap
            break;
        } else if (value == 2) { // delta: move right and up (down the file's row order)
            if (n - pos < 2)
                break;
            x = std::min(width, x + d[pos]);
            y += d[pos + 1];
            pos += 2;
        } else { // literal pixels, padded to a 16-bit boundary
            const int literal = static_cast<int>(value);
            const std::size_t dataBytes = fourBit ? (literal + 1) / 2 : literal;
            const std::size_t available = std::min(dataBytes, n - pos);
            const int end = std::min(width - x, static_cast<int>(fourBit ? available * 2 : available));
            const int pixels = std::min(literal, end);
            std::uint8_t* row = rowAt(y) + x;
            const std::uint8_t* src = d + pos;
            if (fourBit) {
                for (int i = 0; i < pixels; ++i)
                    row[i] = (i & 1) ? (src[i / 2] & 15) : (src[i / 2] >> 4);
            } else if (pixels > 0) {
                std::memcpy(row, src, static_cast<std::size_t>(pixels));
            }
            x = std::min(width, x + literal);
            pos += std::min((dataBytes + 1) & ~std::size_t(1), n - pos);
        }
    }
}

int pictureDepthFor(int bitCount)
{
    if (bitCount == 1)
        return 1;
    if (bitCount <= 4)
        return 4;
    return bitCount == 8 ? 8 : 24;
}

} // namespace

Image decodeBmp(ByteSpan bytes)
{
    ByteReader in(bytes, kFormat);
    const BmpLayout layout = readLayout(in);
    checkPictureSides(kFormat, layout.width, layout.height);
    const int width = static_cast<int>(layout.width);
    const int height = static_cast<int>(layout.height);
    const int bits = layout.bitCount;

    std::vector<Rgb> palette;
    if (layout.paletteEntries > 0) {
        in.seek(layout.paletteOffset);
        palette.resize(layout.paletteEntries);
        for (auto& entry : palette) {
            const std::uint8_t* p = in.take(layout.paletteEntryBytes);
            entry = packRgb(p[2], p[1], p[0]);
        }
    }
    if (layout.pixelOffset >= in.size())
        in.fail("has no pixel data: the place its header gives for the pixels is past the end of the file.");
    const std::uint8_t* pixels = in.data() + layout.pixelOffset;
    const std::size_t pixelBytes = in.size() - layout.pixelOffset;

    if (layout.compression == kRle8 || layout.compression == kRle4) {
        checkRunLengthClaim(kFormat, layout.width * layout.height, pixelBytes);
        Image image(width, height, pictureDepthFor(bits));
        if (!palette.empty())
            image.setPalette(palette);
        image.fill(0);
        decodeRunLengths(pixels, pixelBytes, image, layout.compression == kRle4, layout.topDown);
        return image;
    }

    // Rows are padded to whole 32-bit words; the last row's padding may be missing.
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t needed = rowBytes * (height - 1) + packedRowBytes(width, bits);
    if (pixelBytes < needed)
        in.fail("ends before its last row of pixels: it is cut short or damaged.");

    Image image(width, height, pictureDepthFor(bits));
    if (!palette.empty())
        image.setPalette(palette);
    Channel channels[3];
    if (bits == 16 || bits == 32)
        for (int i = 0; i < 3; ++i)
            channels[i] = channelFor(layout.masks[i]);
    forEachBand(height, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const int fileRow = layout.topDown ? y : height - 1 - y;
            convertRow(layout, channels, pixels + rowBytes * fileRow, image, y);
        }
    });
    return image;
}

Bytes encodeBmp(const Image& image)
{
    if (image.isNull())
        throw ImageError("There is no picture to save as a BMP file.");
    const int width = image.width();
    const int height = image.height();
    const int bits = image.depth();
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    const std::size_t entries = bits == 24 ? 0 : std::size_t(1) << bits;
    const std::size_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + 4 * entries;
    // At most 32767 rows of 98304 bytes: every size fits the header's 32-bit fields.
    const std::size_t total = pixelOffset + rowBytes * height;
    Bytes out(total);
    std::uint8_t* p = out.data();
    p[0] = 'B';
    p[1] = 'M';
    storeU32le(p + 2, static_cast<std::uint32_t>(total));
    storeU32le(p + 10, static_cast<std::uint32_t>(pixelOffset));
    storeU32le(p + 14, kInfoHeaderBytes);
    storeU32le(p + 18, static_cast<std::uint32_t>(width));
    storeU32le(p + 22, static_cast<std::uint32_t>(height));
    storeU16le(p + 26, 1);
    storeU16le(p + 28, static_cast<unsigned>(bits));
    storeU32le(p + 30, kRgb);
    storeU32le(p + 34, static_cast<std::uint32_t>(rowBytes * height));
    storeU32le(p + 38, kPixelsPerMetre);
    storeU32le(p + 42, kPixelsPerMetre);
    storeU32le(p + 46, static_cast<std::uint32_t>(entries));
    for (std::size_t i = 0; i < entries; ++i) {
        const Rgb c = image.palette()[i];
        std::uint8_t* e = p + kFileHeaderBytes + kInfoHeaderBytes + 4 * i;
        e[0] = static_cast<std::uint8_t>(blueOf(c));
        e[1] = static_cast<std::uint8_t>(greenOf(c));
        e[2] = static_cast<std::uint8_t>(redOf(c));
    }
    storeRowsBottomUp(image, p + pixelOffset, rowBytes, bits);
    return out;
}

} // namespace vask
