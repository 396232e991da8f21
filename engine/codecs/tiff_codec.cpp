#include "engine/codecs/tiff_codec.h"

#include "engine/codecs/tiff_stream.h"
#include "engine/image/image_error.h"
#include "engine/image/pixel_memory.h"
#include "engine/parallel/bands.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

// Reading. Stored rows are turned into picture rows in bands on all cores: uncompressed
// strips straight from the file's bytes, anything else from libtiff's decoded strips or
// tiles a few megabytes at a time. Layouts without a direct row conversion (YCbCr, CMYK,
// Lab, separate planes, unusual sample sizes) go through libtiff's RGBA reader.
// The Orientation tag is ignored, as most readers do: rows come in stored order.

namespace vask {
namespace {

// Decoded rows are converted a few megabytes at a time, so they are still in cache.
constexpr std::size_t kChunkBytes = std::size_t(4) << 20;
constexpr int kMaxChannels = 8;

enum class Alpha { None, Associated, Unassociated };

struct RowLayout {
    int width = 0;
    int channels = 1; // samples per pixel in the stored row, colour and extra
    Alpha alpha = Alpha::None;
    unsigned paper = 255; // the grey value of white: 0 in min-is-white files
};

using RowFunction = void (*)(const RowLayout&, const std::uint8_t*, std::uint8_t*);

// 16-bit to 8-bit, rounding to nearest: exact for values written as v * 257.
inline unsigned scale16(unsigned v)
{
    return (v * 255u + 32895u) >> 16;
}

template <int Bytes, bool Swap> inline unsigned loadSample(const std::uint8_t* p)
{
    if constexpr (Bytes == 1) {
        return *p;
    } else {
        std::uint16_t v;
        std::memcpy(&v, p, 2);
        if constexpr (Swap)
            v = __builtin_bswap16(v);
        return scale16(v);
    }
}

// Composition over the paper colour, rounding to nearest. Associated (premultiplied)
// colour only needs the paper's share added; broken files with colour above alpha clip.
inline unsigned overPaper(unsigned c, unsigned a, unsigned paper)
{
    return (c * a + paper * (255 - a) + 127) / 255;
}
inline unsigned overPaperPremultiplied(unsigned c, unsigned a, unsigned paper)
{
    return std::min(255u, c + (paper * (255 - a) + 127) / 255);
}

template <int Bits> void unpackRow(const RowLayout& layout, const std::uint8_t* src, std::uint8_t* dst)
{
    constexpr int perByte = 8 / Bits;
    constexpr unsigned mask = (1u << Bits) - 1;
    const int width = layout.width;
    const int whole = width / perByte;
    for (int i = 0; i < whole; ++i) {
        const unsigned byte = src[i];
        for (int k = 0; k < perByte; ++k)
            dst[i * perByte + k] = static_cast<std::uint8_t>((byte >> (8 - Bits * (k + 1))) & mask);
    }
    for (int x = whole * perByte; x < width; ++x)
        dst[x] = static_cast<std::uint8_t>((src[x / perByte] >> (8 - Bits * (x % perByte + 1))) & mask);
}

void copyRow(const RowLayout& layout, const std::uint8_t* src, std::uint8_t* dst)
{
    std::memcpy(dst, src, static_cast<std::size_t>(layout.width));
}

template <int Bytes, bool Swap>
void greyRow(const RowLayout& layout, const std::uint8_t* src, std::uint8_t* dst)
{
    const int step = layout.channels * Bytes;
    const int width = layout.width;
    if (layout.alpha == Alpha::None) {
        for (int x = 0; x < width; ++x)
            dst[x] = static_cast<std::uint8_t>(loadSample<Bytes, Swap>(src + x * step));
        return;
    }
    const bool premultiplied = layout.alpha == Alpha::Associated;
    for (int x = 0; x < width; ++x) {
        const unsigned g = loadSample<Bytes, Swap>(src + x * step);
        const unsigned a = loadSample<Bytes, Swap>(src + x * step + Bytes);
        dst[x] = static_cast<std::uint8_t>(premultiplied ? overPaperPremultiplied(g, a, layout.paper)
                                                         : overPaper(g, a, layout.paper));
    }
}

// The common case, kept free of anything that stops the compiler vectorising it.
void rgb8Row(const RowLayout& layout, const std::uint8_t* __restrict src, std::uint8_t* __restrict dstBytes)
{
    Rgb* __restrict dst = reinterpret_cast<Rgb*>(dstBytes);
    const int width = layout.width;
    for (int x = 0; x < width; ++x)
        dst[x] =
            0xFF000000u | (unsigned(src[3 * x]) << 16) | (unsigned(src[3 * x + 1]) << 8) | src[3 * x + 2];
}

template <int Bytes, bool Swap>
void rgbRow(const RowLayout& layout, const std::uint8_t* src, std::uint8_t* dstBytes)
{
    Rgb* dst = reinterpret_cast<Rgb*>(dstBytes);
    const int step = layout.channels * Bytes;
    const int width = layout.width;
    for (int x = 0; x < width; ++x) {
        const std::uint8_t* p = src + x * step;
        unsigned r = loadSample<Bytes, Swap>(p);
        unsigned g = loadSample<Bytes, Swap>(p + Bytes);
        unsigned b = loadSample<Bytes, Swap>(p + 2 * Bytes);
        if (layout.alpha != Alpha::None) {
            const unsigned a = loadSample<Bytes, Swap>(p + 3 * Bytes);
            if (layout.alpha == Alpha::Associated) {
                r = overPaperPremultiplied(r, a, 255);
                g = overPaperPremultiplied(g, a, 255);
                b = overPaperPremultiplied(b, a, 255);
            } else {
                r = overPaper(r, a, 255);
                g = overPaper(g, a, 255);
                b = overPaper(b, a, 255);
            }
        }
        dst[x] = packRgb(r, g, b);
    }
}

struct Header {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bits = 1;
    std::uint16_t channels = 1;
    std::uint16_t photometric = 0;
    bool hasPhotometric = false;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    std::uint16_t compression = COMPRESSION_NONE;
    std::uint16_t fillOrder = FILLORDER_MSB2LSB;
    Alpha alpha = Alpha::None; // what the first extra sample is
    bool tiled = false;
    std::uint32_t rowsPerStrip = 0;
    std::uint32_t tileWidth = 0;
    std::uint32_t tileLength = 0;
};

Header readHeader(TIFF* tif)
{
    Header h;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &h.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &h.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &h.channels);
    h.hasPhotometric = TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &h.photometric) == 1;
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &h.planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &h.sampleFormat);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &h.compression);
    TIFFGetFieldDefaulted(tif, TIFFTAG_FILLORDER, &h.fillOrder);
    std::uint16_t extraCount = 0;
    std::uint16_t* extraTypes = nullptr;
    if (TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes) == 1 && extraCount > 0 &&
        extraTypes) {
        if (extraTypes[0] == EXTRASAMPLE_ASSOCALPHA)
            h.alpha = Alpha::Associated;
        else if (extraTypes[0] == EXTRASAMPLE_UNASSALPHA)
            h.alpha = Alpha::Unassociated;
    }
    h.tiled = TIFFIsTiled(tif) != 0;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &h.rowsPerStrip);
    TIFFGetField(tif, TIFFTAG_TILEWIDTH, &h.tileWidth);
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &h.tileLength);
    return h;
}

// How the rows of one file become picture rows; convert == nullptr means libtiff's RGBA reader.
struct Plan {
    int depth = 24;
    RowLayout layout;
    RowFunction convert = nullptr;
    RowFunction convertSwapped = nullptr; // for 16-bit samples in the other byte order
    std::vector<Rgb> palette;
};

std::vector<Rgb> greyLevels(int levels, bool minIsWhite)
{
    std::vector<Rgb> palette(levels);
    for (int i = 0; i < levels; ++i) {
        const unsigned v = static_cast<unsigned>(i * 255 / (levels - 1));
        palette[minIsWhite ? levels - 1 - i : i] = packRgb(v, v, v);
    }
    return palette;
}

std::vector<Rgb> colourMap(TIFF* tif, int bits)
{
    std::uint16_t* red = nullptr;
    std::uint16_t* green = nullptr;
    std::uint16_t* blue = nullptr;
    if (TIFFGetField(tif, TIFFTAG_COLORMAP, &red, &green, &blue) != 1 || !red || !green || !blue)
        throw ImageError("The TIFF palette picture has no colour map.");
    const int entries = 1 << bits;
    // Writers store c x 257 or c x 256, so the high byte is the colour (libtiff's own RGBA
    // reader agrees); a few old ones stored 8-bit values as they are.
    bool eightBit = true;
    for (int i = 0; i < entries; ++i)
        eightBit = eightBit && red[i] <= 255 && green[i] <= 255 && blue[i] <= 255;
    const auto toByte = [&](unsigned v) { return eightBit ? v : v >> 8; };
    std::vector<Rgb> palette(entries);
    for (int i = 0; i < entries; ++i)
        palette[i] = packRgb(toByte(red[i]), toByte(green[i]), toByte(blue[i]));
    return palette;
}

template <int Bytes> void chooseSampleFunctions(Plan& plan, bool grey)
{
    if (grey) {
        plan.convert = greyRow<Bytes, false>;
        plan.convertSwapped = greyRow<Bytes, true>;
    } else {
        plan.convert = rgbRow<Bytes, false>;
        plan.convertSwapped = rgbRow<Bytes, true>;
    }
}

Plan makePlan(TIFF* tif, const Header& h)
{
    Plan plan;
    plan.layout.width = static_cast<int>(h.width);
    plan.layout.channels = h.channels;
    const bool unsignedSamples = h.sampleFormat == SAMPLEFORMAT_UINT || h.sampleFormat == SAMPLEFORMAT_VOID;
    const bool contiguous = h.channels == 1 || h.planar == PLANARCONFIG_CONTIG;
    if (!h.hasPhotometric || !unsignedSamples || !contiguous || h.channels > kMaxChannels)
        return plan;
    const bool oneSample = h.channels == 1;
    switch (h.photometric) {
    case PHOTOMETRIC_MINISWHITE:
    case PHOTOMETRIC_MINISBLACK: {
        const bool minIsWhite = h.photometric == PHOTOMETRIC_MINISWHITE;
        plan.layout.paper = minIsWhite ? 0 : 255;
        if (oneSample && (h.bits == 1 || h.bits == 2 || h.bits == 4)) {
            plan.depth = h.bits == 1 ? 1 : 4;
            plan.palette = greyLevels(1 << h.bits, minIsWhite);
            plan.convert = h.bits == 1 ? unpackRow<1> : h.bits == 2 ? unpackRow<2> : unpackRow<4>;
        } else if (h.bits == 8 || h.bits == 16) {
            plan.depth = 8;
            plan.palette = greyLevels(256, minIsWhite);
            if (!oneSample)
                plan.layout.alpha = h.alpha;
            if (h.bits == 8)
                chooseSampleFunctions<1>(plan, true);
            else
                chooseSampleFunctions<2>(plan, true);
            if (oneSample && h.bits == 8)
                plan.convert = plan.convertSwapped = copyRow;
        }
        break;
    }
    case PHOTOMETRIC_PALETTE:
        if (oneSample && (h.bits == 1 || h.bits == 2 || h.bits == 4 || h.bits == 8)) {
            plan.depth = h.bits == 1 ? 1 : h.bits == 8 ? 8 : 4;
            plan.palette = colourMap(tif, h.bits);
            plan.convert = h.bits == 1   ? unpackRow<1>
                           : h.bits == 2 ? unpackRow<2>
                           : h.bits == 4 ? unpackRow<4>
                                         : copyRow;
        }
        break;
    case PHOTOMETRIC_YCBCR:
        // libtiff's JPEG decoder converts to RGB itself; other YCbCr goes the RGBA way.
        if (h.compression != COMPRESSION_JPEG || h.channels != 3 || h.bits != 8 ||
            TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB) != 1)
            break;
        [[fallthrough]];
    case PHOTOMETRIC_RGB:
        if (h.channels >= 3 && (h.bits == 8 || h.bits == 16)) {
            plan.depth = 24;
            if (h.channels > 3)
                plan.layout.alpha = h.alpha;
            if (h.bits == 8)
                chooseSampleFunctions<1>(plan, false);
            else
                chooseSampleFunctions<2>(plan, false);
            if (h.bits == 8 && h.channels == 3)
                plan.convert = plan.convertSwapped = rgb8Row;
        }
        break;
    default:
        break;
    }
    if (plan.convert && !plan.convertSwapped)
        plan.convertSwapped = plan.convert;
    return plan;
}

void convertRows(const Plan& plan, RowFunction convert, const std::uint8_t* const* rows, Image& image,
                 int firstRow, int count)
{
    forEachBand(count, [&](int begin, int end) {
        for (int r = begin; r < end; ++r)
            convert(plan.layout, rows[r], image.row(firstRow + r));
    });
}

// Uncompressed strips that lie whole inside the file are converted where they are.
bool readInPlace(TIFF* tif, ByteSpan bytes, const Header& h, const Plan& plan, std::size_t rowBytes,
                 Image& image)
{
    if (h.compression != COMPRESSION_NONE || h.tiled || h.fillOrder != FILLORDER_MSB2LSB)
        return false;
    const std::uint32_t height = h.height;
    const std::uint32_t rowsPerStrip = std::clamp<std::uint32_t>(h.rowsPerStrip, 1, height);
    const std::uint32_t strips = (height + rowsPerStrip - 1) / rowsPerStrip;
    if (TIFFNumberOfStrips(tif) < strips)
        return false;
    std::vector<const std::uint8_t*> rows(height);
    for (std::uint32_t s = 0; s < strips; ++s) {
        const std::uint32_t first = s * rowsPerStrip;
        const std::uint32_t count = std::min(rowsPerStrip, height - first);
        const std::uint64_t offset = TIFFGetStrileOffset(tif, s);
        const std::uint64_t needed = std::uint64_t(count) * rowBytes;
        if (offset > bytes.size() || needed > bytes.size() - offset)
            return false;
        for (std::uint32_t r = 0; r < count; ++r)
            rows[first + r] = bytes.data() + offset + std::uint64_t(r) * rowBytes;
    }
    const bool swapped = TIFFIsByteSwapped(tif) != 0 && h.bits == 16;
    convertRows(plan, swapped ? plan.convertSwapped : plan.convert, rows.data(), image, 0,
                static_cast<int>(height));
    return true;
}

// Reads rows [firstRow, firstRow + count) of a tiled file into chunk, rowBytes apart.
void readTileRows(const TiffStream& file, const Header& h, std::size_t rowBytes, std::uint8_t* tile,
                  tmsize_t tileBytes, std::uint8_t* chunk, std::uint32_t firstRow, std::uint32_t count)
{
    TIFF* tif = file.get();
    const std::size_t tileRowBytes = static_cast<std::size_t>(TIFFTileRowSize(tif));
    for (std::uint32_t ty = firstRow; ty < firstRow + count; ty += h.tileLength) {
        const std::uint32_t rows = std::min(h.tileLength, firstRow + count - ty);
        std::size_t column = 0;
        for (std::uint32_t tx = 0; tx < h.width; tx += h.tileWidth, column += tileRowBytes) {
            const tmsize_t got = TIFFReadTile(tif, tile, tx, ty, 0, 0);
            if (got < 0)
                file.fail("The TIFF file is damaged: a tile cannot be read");
            if (got < tileBytes)
                std::memset(tile + got, 0, static_cast<std::size_t>(tileBytes - got));
            const std::size_t n = std::min(tileRowBytes, rowBytes - column);
            for (std::uint32_t r = 0; r < rows; ++r)
                std::memcpy(chunk + (ty - firstRow + r) * rowBytes + column, tile + r * tileRowBytes, n);
        }
    }
}

void readThroughLibtiff(const TiffStream& file, const Header& h, const Plan& plan, std::size_t rowBytes,
                        Image& image)
{
    TIFF* tif = file.get();
    const std::uint32_t height = h.height;
    std::uint32_t unit = std::clamp<std::uint32_t>(h.rowsPerStrip, 1, height);
    tmsize_t tileBytes = 0;
    if (h.tiled) {
        // Tiles start on whole bytes of a row, and no real file has tiles above 64K a side.
        constexpr std::uint32_t kMaxTileSide = 65536;
        tileBytes = TIFFTileSize(tif);
        const std::uint64_t tileRowBytes = static_cast<std::uint64_t>(TIFFTileRowSize(tif));
        const bool sane = h.tileWidth > 0 && h.tileLength > 0 && h.tileWidth <= kMaxTileSide &&
                          h.tileLength <= kMaxTileSide && tileBytes > 0 &&
                          std::uint64_t(h.tileWidth) * h.channels * h.bits % 8 == 0;
        if (!sane || tileRowBytes * ((std::uint64_t(h.width) + h.tileWidth - 1) / h.tileWidth) < rowBytes)
            throw ImageError("The TIFF file has tiles of a size that cannot be read.");
        unit = h.tileLength;
    } else if (TIFFNumberOfStrips(tif) < (height + unit - 1) / unit) {
        throw ImageError("The TIFF file is damaged: it has fewer strips than rows need.");
    }
    const std::size_t unitBytes = std::size_t(unit) * rowBytes;
    std::uint64_t chunkRows = std::uint64_t(unit) * std::max<std::size_t>(1, kChunkBytes / unitBytes);
    chunkRows = std::min<std::uint64_t>(chunkRows, (std::uint64_t(height) + unit - 1) / unit * unit);
    PixelScratch chunk(chunkRows * rowBytes);
    PixelScratch tile(h.tiled ? static_cast<std::size_t>(tileBytes) : 0);
    std::vector<const std::uint8_t*> rows(chunkRows);
    for (std::size_t r = 0; r < chunkRows; ++r)
        rows[r] = chunk.data() + r * rowBytes;

    for (std::uint32_t first = 0; first < height; first += chunkRows) {
        const std::uint32_t count =
            static_cast<std::uint32_t>(std::min<std::uint64_t>(chunkRows, height - first));
        if (h.tiled) {
            readTileRows(file, h, rowBytes, tile.data(), tileBytes, chunk.data(), first, count);
        } else {
            for (std::uint32_t y = first; y < first + count; y += unit) {
                const std::size_t want = std::min(unit, height - y) * rowBytes;
                std::uint8_t* target = chunk.data() + (y - first) * rowBytes;
                const tmsize_t got = TIFFReadEncodedStrip(tif, y / unit, target, static_cast<tmsize_t>(want));
                if (got < 0)
                    file.fail("The TIFF file is damaged: a strip cannot be read");
                if (static_cast<std::size_t>(got) < want)
                    std::memset(target + got, 0, want - static_cast<std::size_t>(got));
            }
        }
        convertRows(plan, plan.convert, rows.data(), image, static_cast<int>(first), static_cast<int>(count));
    }
}

struct RgbaImageEnd {
    TIFFRGBAImage* image;
    ~RgbaImageEnd() { TIFFRGBAImageEnd(image); }
};

// libtiff's RGBA reader, in bands of whole strips or tiles. It premultiplies alpha, so
// composing over white adds the paper's share.
Image readThroughRgba(const TiffStream& file, const Header& h)
{
    TIFF* tif = file.get();
    char message[1024] = {};
    if (!TIFFRGBAImageOK(tif, message))
        throw ImageError(std::string("This TIFF file holds a kind of picture that cannot be read (") +
                         message + ").");
    TIFFRGBAImage reader{};
    if (!TIFFRGBAImageBegin(&reader, tif, 1, message))
        throw ImageError(std::string("This TIFF file cannot be read (") + message + ").");
    RgbaImageEnd end{&reader};
    reader.req_orientation = reader.orientation;

    Image image(static_cast<int>(h.width), static_cast<int>(h.height), 24);
    const std::uint32_t unit = h.tiled ? std::max<std::uint32_t>(h.tileLength, 1)
                                       : std::clamp<std::uint32_t>(h.rowsPerStrip, 1, h.height);
    const std::uint32_t band = std::min<std::uint64_t>(
        std::uint64_t(unit) * std::max<std::uint64_t>(1, (1u << 20) / (std::uint64_t(unit) * h.width)),
        h.height);
    PixelScratch raster(std::size_t(band) * h.width * 4);
    const auto* abgr = raster.as<const std::uint32_t>();
    for (std::uint32_t first = 0; first < h.height; first += band) {
        const std::uint32_t count = std::min(band, h.height - first);
        reader.row_offset = static_cast<int>(first);
        reader.col_offset = 0;
        if (!TIFFRGBAImageGet(&reader, raster.as<std::uint32_t>(), h.width, count))
            file.fail("The TIFF file is damaged: its pixels cannot be read");
        forEachBand(static_cast<int>(count), [&](int begin, int endRow) {
            for (int r = begin; r < endRow; ++r) {
                const std::uint32_t* src = abgr + std::size_t(r) * h.width;
                Rgb* dst = image.rgbRow(static_cast<int>(first) + r);
                for (std::uint32_t x = 0; x < h.width; ++x) {
                    const std::uint32_t p = src[x];
                    const unsigned a = TIFFGetA(p);
                    dst[x] = packRgb(overPaperPremultiplied(TIFFGetR(p), a, 255),
                                     overPaperPremultiplied(TIFFGetG(p), a, 255),
                                     overPaperPremultiplied(TIFFGetB(p), a, 255));
                }
            }
        });
    }
    return image;
}

} // namespace

Image decodeTiff(ByteSpan bytes)
{
    TiffStream file(bytes);
    TIFF* tif = file.get();
    const Header header = readHeader(tif);
    if (header.width < 1 || header.height < 1 || header.width > Image::kMaxSide ||
        header.height > Image::kMaxSide)
        throw ImageError("The TIFF picture is " + std::to_string(header.width) + " x " +
                         std::to_string(header.height) + " pixels; each side must be 1 to " +
                         std::to_string(Image::kMaxSide) + " pixels.");
    const Plan plan = makePlan(tif, header);
    if (!plan.convert)
        return readThroughRgba(file, header);

    const tmsize_t scanline = TIFFScanlineSize(tif);
    const std::uint64_t needed = (std::uint64_t(header.width) * header.channels * header.bits + 7) / 8;
    if (scanline <= 0 || static_cast<std::uint64_t>(scanline) < needed)
        file.fail("The TIFF file is damaged: its rows have no valid size");
    const std::size_t rowBytes = static_cast<std::size_t>(scanline);

    Image image(static_cast<int>(header.width), static_cast<int>(header.height), plan.depth);
    if (plan.depth < 24)
        image.setPalette(plan.palette);
    if (!readInPlace(tif, bytes, header, plan, rowBytes, image))
        readThroughLibtiff(file, header, plan, rowBytes, image);
    return image;
}

} // namespace vask
