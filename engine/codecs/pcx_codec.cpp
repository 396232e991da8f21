#include "engine/codecs/pcx_codec.h"

#include "engine/codecs/byte_reader.h"
#include "engine/codecs/packed_rows.h"
#include "engine/image/image_error.h"
#include "engine/image/pixel_memory.h"
#include "engine/ops/palette/increase_depth.h"
#include "engine/ops/palette/reduce_colors.h"
#include "engine/parallel/bands.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

namespace vask {
namespace {

constexpr const char* kFormat = "PCX";
constexpr std::size_t kHeaderBytes = 128;
constexpr std::uint8_t kManufacturer = 0x0A;
// The 256-colour palette: a 0x0C mark and 768 bytes of red, green, blue at the end of the file.
constexpr std::uint8_t kPaletteMark = 0x0C;
constexpr std::size_t kEndPaletteBytes = 769;
// A run byte holds 0xC0 plus a count of 0 to 63.
constexpr unsigned kRunMark = 0xC0;
constexpr unsigned kLongestRun = 63;
// Byte masks for eight bytes in one word.
constexpr std::uint64_t kLowBits = 0x0101010101010101ull;
constexpr std::uint64_t kHighBits = 0x8080808080808080ull;

// The colours a 16-colour file gets when its header palette is empty: the EGA defaults.
constexpr Rgb kEgaPalette[16] = {
    packRgb(0, 0, 0),     packRgb(0, 0, 170),    packRgb(0, 170, 0),    packRgb(0, 170, 170),
    packRgb(170, 0, 0),   packRgb(170, 0, 170),  packRgb(170, 85, 0),   packRgb(170, 170, 170),
    packRgb(85, 85, 85),  packRgb(85, 85, 255),  packRgb(85, 255, 85),  packRgb(85, 255, 255),
    packRgb(255, 85, 85), packRgb(255, 85, 255), packRgb(255, 255, 85), packRgb(255, 255, 255)};

// Scan-line bytes from the run-length (or, rarely, raw) data; a run may carry on from one
// line into the next, as some writers do.
class LineReader {
public:
    LineReader(const std::uint8_t* data, std::size_t size, bool runLength)
        : m_p(data), m_end(data + size), m_runLength(runLength)
    {}

    // false when the data ends before n bytes.
    bool read(std::uint8_t* out, std::size_t n)
    {
        if (!m_runLength) {
            if (static_cast<std::size_t>(m_end - m_p) < n)
                return false;
            std::memcpy(out, m_p, n);
            m_p += n;
            return true;
        }
        if (m_runLeft > 0) {
            const std::size_t k = std::min<std::size_t>(m_runLeft, n);
            std::memset(out, m_runValue, k);
            out += k;
            n -= k;
            m_runLeft -= static_cast<unsigned>(k);
        }
        // Eight bytes at a time while a whole run still fits: the literal bytes before the
        // first run byte are stored together, then that run (if any) without a branch on its
        // length except for runs of more than one, which are rare in photographs. Bytes
        // stored past what a step keeps are overwritten by the next step.
        while (n >= 8 + kLongestRun + 1 && m_end - m_p >= 10) {
            std::uint64_t word;
            std::memcpy(&word, m_p, 8);
            const std::uint64_t runBytes = word & (word << 1) & kHighBits; // bits 7 and 6 set
            const unsigned literals = static_cast<unsigned>(std::countr_zero(runBytes)) / 8;
            std::memcpy(out, &word, 8);
            out += literals;
            n -= literals;
            m_p += literals;
            const unsigned run = literals < 8;
            const unsigned count = run * (m_p[0] & kLongestRun);
            const std::uint8_t value = m_p[1];
            *out = value;
            if (count > 1)
                std::memset(out, value, kLongestRun + 1);
            out += count;
            n -= count;
            m_p += 2 * run;
        }
        while (n > 0) {
            if (m_p == m_end)
                return false;
            const unsigned b = *m_p++;
            if (b < kRunMark) {
                *out++ = static_cast<std::uint8_t>(b);
                --n;
                continue;
            }
            if (m_p == m_end)
                return false;
            const unsigned count = b & kLongestRun;
            const std::uint8_t value = *m_p++;
            const std::size_t k = std::min<std::size_t>(count, n);
            std::memset(out, value, k);
            out += k;
            n -= k;
            // The rest of a run that goes on into the next line.
            m_runLeft = count - static_cast<unsigned>(k);
            m_runValue = value;
        }
        return true;
    }

private:
    const std::uint8_t* m_p;
    const std::uint8_t* m_end;
    bool m_runLength;
    unsigned m_runLeft = 0;
    std::uint8_t m_runValue = 0;
};

unsigned headerU16(const std::uint8_t* h, int at)
{
    return h[at] | (h[at + 1] << 8);
}

Rgb headerColour(const std::uint8_t* h, int index)
{
    const std::uint8_t* c = h + 16 + 3 * index;
    return packRgb(c[0], c[1], c[2]);
}

// Runs of equal bytes become a count byte and the value; a lone byte below 0xC0 stands for
// itself. Runs stop at the end of the line. Writes at most 2n bytes.
std::size_t encodeRuns(const std::uint8_t* line, std::size_t n, std::uint8_t* out)
{
    std::uint8_t* o = out;
    std::size_t i = 0;
    while (i < n) {
        // Bytes that neither start a run nor look like a run byte are copied eight at a time;
        // out has room, as each byte taken so far wrote at most two.
        if (n - i >= 9) {
            std::uint64_t word, next;
            std::memcpy(&word, line + i, 8);
            std::memcpy(&next, line + i + 1, 8);
            const std::uint64_t diff = word ^ next; // a zero byte where a byte equals the next
            const std::uint64_t equal = (diff - kLowBits) & ~diff & kHighBits;
            const std::uint64_t high = word & (word << 1) & kHighBits;
            const unsigned literals = static_cast<unsigned>(std::countr_zero(equal | high)) / 8;
            std::memcpy(o, &word, 8);
            o += literals;
            i += literals;
            if (literals == 8)
                continue;
        }
        const std::uint8_t v = line[i];
        if (i + 1 < n && line[i + 1] == v) {
            const std::size_t limit = std::min<std::size_t>(kLongestRun, n - i);
            std::size_t run = 2;
            while (run < limit && line[i + run] == v)
                ++run;
            o[0] = static_cast<std::uint8_t>(kRunMark | run);
            o[1] = v;
            o += 2;
            i += run;
            continue;
        }
        // A lone byte: written as itself, or as a run of one when it looks like a run byte.
        const unsigned high = (v + 0x40u) >> 8; // 1 for 0xC0 and above
        o[0] = static_cast<std::uint8_t>(v ^ (high * (v ^ (kRunMark | 1))));
        o[1] = v;
        o += 1 + high;
        ++i;
    }
    return static_cast<std::size_t>(o - out);
}

void splitPlanes(const Rgb* __restrict pixels, std::uint8_t* __restrict r, std::uint8_t* __restrict g,
                 std::uint8_t* __restrict b, int width)
{
    for (int x = 0; x < width; ++x) {
        r[x] = static_cast<std::uint8_t>(pixels[x] >> 16);
        g[x] = static_cast<std::uint8_t>(pixels[x] >> 8);
        b[x] = static_cast<std::uint8_t>(pixels[x]);
    }
}

void joinPlanes(const std::uint8_t* __restrict r, const std::uint8_t* __restrict g,
                const std::uint8_t* __restrict b, Rgb* __restrict pixels, int width)
{
    for (int x = 0; x < width; ++x)
        pixels[x] = packRgb(r[x], g[x], b[x]);
}

// Writes the picture at its own depth: 1 bit in one plane, 4 bits as four 1-bit planes,
// 8 bits in one plane with the palette at the end, 24 bits as three 8-bit planes.
Bytes writePcx(const Image& image)
{
    const int width = image.width();
    const int height = image.height();
    const int depth = image.depth();
    const int bitsPerPixel = depth == 1 || depth == 4 ? 1 : 8;
    const int planes = depth == 4 ? 4 : (depth == 24 ? 3 : 1);
    // Lines hold an even number of bytes per plane.
    const std::size_t planeBytes = (static_cast<std::size_t>(width) * bitsPerPixel + 15) / 16 * 2;
    const std::size_t lineBytes = planeBytes * planes;

    std::uint8_t header[kHeaderBytes] = {};
    header[0] = kManufacturer;
    header[1] = 5;
    header[2] = 1;
    header[3] = static_cast<std::uint8_t>(bitsPerPixel);
    storeU16le(header + 8, static_cast<unsigned>(width - 1));
    storeU16le(header + 10, static_cast<unsigned>(height - 1));
    storeU16le(header + 12, 72);
    storeU16le(header + 14, 72);
    if (depth == 1 || depth == 4) {
        for (int i = 0; i < (1 << depth); ++i) {
            const Rgb c = image.palette()[i];
            header[16 + 3 * i] = static_cast<std::uint8_t>(redOf(c));
            header[17 + 3 * i] = static_cast<std::uint8_t>(greenOf(c));
            header[18 + 3 * i] = static_cast<std::uint8_t>(blueOf(c));
        }
    }
    header[65] = static_cast<std::uint8_t>(planes);
    storeU16le(header + 66, static_cast<unsigned>(planeBytes));
    storeU16le(header + 68, 1);

    // Bands of rows are encoded side by side into buffers of their own, then joined.
    const int rowsPerChunk = std::max(16, height / (4 * bandThreadCount()) + 1);
    const int chunks = (height + rowsPerChunk - 1) / rowsPerChunk;
    // Each chunk has room for its worst case (every byte doubled) at a fixed place in one
    // scratch block; only the pages written are ever touched.
    PixelScratch scratch(2 * lineBytes * static_cast<std::size_t>(height));
    const auto chunkStart = [&](int chunk) {
        return scratch.data() + 2 * lineBytes * static_cast<std::size_t>(chunk) * rowsPerChunk;
    };
    std::vector<std::size_t> chunkBytes(chunks);
    forEachBand(
        chunks,
        [&](int firstChunk, int endChunk) {
            std::vector<std::uint8_t> line(lineBytes);
            std::vector<std::uint8_t> bit(depth == 4 ? static_cast<std::size_t>(width) : 0);
            for (int chunk = firstChunk; chunk < endChunk; ++chunk) {
                const int first = chunk * rowsPerChunk;
                const int end = std::min(height, first + rowsPerChunk);
                std::uint8_t* out = chunkStart(chunk);
                for (int y = first; y < end; ++y) {
                    std::fill(line.begin(), line.end(), 0);
                    if (depth == 24) {
                        std::uint8_t* r = line.data();
                        splitPlanes(image.rgbRow(y), r, r + planeBytes, r + 2 * planeBytes, width);
                    } else if (depth == 4) {
                        const std::uint8_t* src = image.row(y);
                        for (int p = 0; p < 4; ++p) {
                            for (int x = 0; x < width; ++x)
                                bit[x] = static_cast<std::uint8_t>((src[x] >> p) & 1);
                            packRow(bit.data(), line.data() + planeBytes * p, width, 1);
                        }
                    } else {
                        packRow(image.row(y), line.data(), width, bitsPerPixel);
                    }
                    for (int p = 0; p < planes; ++p)
                        out += encodeRuns(line.data() + planeBytes * p, planeBytes, out);
                }
                chunkBytes[chunk] = static_cast<std::size_t>(out - chunkStart(chunk));
            }
        },
        1);

    std::size_t total = kHeaderBytes + (depth == 8 ? kEndPaletteBytes : 0);
    for (const std::size_t n : chunkBytes)
        total += n;
    Bytes out(total);
    std::uint8_t* o = out.data();
    std::memcpy(o, header, kHeaderBytes);
    o += kHeaderBytes;
    for (int chunk = 0; chunk < chunks; ++chunk) {
        std::memcpy(o, chunkStart(chunk), chunkBytes[chunk]);
        o += chunkBytes[chunk];
    }
    if (depth == 8) {
        *o++ = kPaletteMark;
        for (int i = 0; i < 256; ++i, o += 3) {
            const Rgb c = image.palette()[i];
            o[0] = static_cast<std::uint8_t>(redOf(c));
            o[1] = static_cast<std::uint8_t>(greenOf(c));
            o[2] = static_cast<std::uint8_t>(blueOf(c));
        }
    }
    return out;
}

} // namespace

Image decodePcx(ByteSpan bytes)
{
    ByteReader in(bytes, kFormat);
    const std::uint8_t* h = in.take(kHeaderBytes);
    if (h[0] != kManufacturer)
        in.fail("does not start with the PCX mark; it is damaged or not a PCX file.");
    const int version = h[1];
    const int encoding = h[2];
    const int bitsPerPixel = h[3];
    const std::int64_t width = std::int64_t(headerU16(h, 8)) - headerU16(h, 4) + 1;
    const std::int64_t height = std::int64_t(headerU16(h, 10)) - headerU16(h, 6) + 1;
    const int planes = h[65];
    const std::size_t planeBytes = headerU16(h, 66);
    if (encoding > 1)
        in.fail("uses encoding " + std::to_string(encoding) + ", which cannot be read.");
    const bool packed = bitsPerPixel == 1 && planes == 1;
    const bool sixteen = (bitsPerPixel == 1 && planes >= 2 && planes <= 4) ||
                         ((bitsPerPixel == 2 || bitsPerPixel == 4) && planes == 1);
    const bool indexed = bitsPerPixel == 8 && planes == 1;
    const bool trueColour = bitsPerPixel == 8 && (planes == 3 || planes == 4);
    if (!packed && !sixteen && !indexed && !trueColour)
        in.fail("stores " + std::to_string(planes) + " planes of " + std::to_string(bitsPerPixel) +
                " bits per pixel, which cannot be read.");
    checkPictureSides(kFormat, width, height);
    if (planeBytes < packedRowBytes(static_cast<int>(width), bitsPerPixel))
        in.fail("has lines shorter than its picture is wide; it is damaged.");

    std::size_t dataEnd = in.size();
    std::vector<Rgb> palette;
    if (packed) {
        // Many writers leave the header palette of a black and white file empty.
        palette = {headerColour(h, 0), headerColour(h, 1)};
        if (palette[0] == palette[1])
            palette = {packRgb(0, 0, 0), packRgb(255, 255, 255)};
    } else if (sixteen) {
        const int colours = 1 << (bitsPerPixel * planes);
        bool empty = true;
        for (int i = 0; i < colours; ++i) {
            palette.push_back(headerColour(h, i));
            empty = empty && palette.back() == packRgb(0, 0, 0);
        }
        // Version 3 files carry no palette; they meant the EGA defaults.
        if (empty || version == 3)
            palette.assign(kEgaPalette, kEgaPalette + colours);
    } else if (indexed) {
        const std::uint8_t* d = in.data();
        if (in.size() >= kHeaderBytes + kEndPaletteBytes && d[in.size() - kEndPaletteBytes] == kPaletteMark) {
            dataEnd = in.size() - kEndPaletteBytes;
            const std::uint8_t* c = d + dataEnd + 1;
            for (int i = 0; i < 256; ++i, c += 3)
                palette.push_back(packRgb(c[0], c[1], c[2]));
        }
        // Without the palette the picture is read as 256 greys.
    }

    const std::size_t dataBytes = dataEnd - kHeaderBytes;
    const std::size_t lineBytes = planeBytes * planes;
    const std::size_t totalBytes = lineBytes * static_cast<std::size_t>(height);
    // A run of two bytes stands for at most 63 bytes of the lines.
    const std::size_t mostBytes = encoding == 1 ? (dataBytes * kLongestRun + 1) / 2 : dataBytes;
    if (totalBytes > mostBytes)
        in.fail("ends before its last line of pixels: it is cut short or damaged.");

    const int depth = packed ? 1 : (sixteen ? 4 : (indexed ? 8 : 24));
    Image image(static_cast<int>(width), static_cast<int>(height), depth);
    if (!palette.empty())
        image.setPalette(palette);
    LineReader lines(in.data() + kHeaderBytes, dataBytes, encoding == 1);
    std::vector<std::uint8_t> line(lineBytes);
    std::vector<std::uint8_t> bit(sixteen ? static_cast<std::size_t>(width) : 0);
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        if (!lines.read(line.data(), lineBytes))
            in.fail("ends before its last line of pixels: it is cut short or damaged.");
        if (trueColour) {
            const std::uint8_t* r = line.data();
            joinPlanes(r, r + planeBytes, r + 2 * planeBytes, image.rgbRow(y), w);
        } else if (sixteen && planes > 1) {
            std::uint8_t* out = image.row(y);
            std::memset(out, 0, static_cast<std::size_t>(w));
            for (int p = 0; p < planes; ++p) {
                unpackRow(line.data() + planeBytes * p, bit.data(), w, 1);
                for (int x = 0; x < w; ++x)
                    out[x] = static_cast<std::uint8_t>(out[x] | (bit[x] << p));
            }
        } else {
            unpackRow(line.data(), image.row(y), w, bitsPerPixel);
        }
    }
    return image;
}

Bytes encodePcx(const Image& image, int writeDepth)
{
    if (image.isNull())
        throw ImageError("There is no picture to save as a PCX file.");
    int depth = writeDepth == 0 ? image.depth() : writeDepth;
    if (depth == 16 || depth == 32)
        depth = 24;
    if (!Image::isValidDepth(depth))
        throw ImageError("PCX files can be written with 1, 4, 8 or 24 bits per pixel, not " +
                         std::to_string(writeDepth) + ".");
    if (depth == image.depth())
        return writePcx(image);
    Image converted = image;
    // Fewer colours: the best palette for the picture, dithered; a picture that already has
    // few enough colours keeps them exactly.
    if (depth < converted.depth())
        reduceColors(converted, 1 << depth, true, true, false);
    if (converted.depth() < depth)
        increaseDepth(converted, depth);
    if (converted.depth() != depth)
        throw ImageError("The picture cannot be converted to " + std::to_string(depth) +
                         " bits per pixel for the PCX file.");
    return writePcx(converted);
}

} // namespace vask
