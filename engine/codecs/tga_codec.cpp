#include "engine/codecs/tga_codec.h"

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

constexpr const char* kFormat = "TGA";
constexpr std::size_t kHeaderBytes = 18;

constexpr int kColourMapped = 1;
constexpr int kTrueColour = 2;
constexpr int kGrey = 3;
constexpr int kRunLength = 8; // added to the three kinds above

// Descriptor bits: rows run top to bottom, pixels right to left.
constexpr int kTopOrigin = 0x20;
constexpr int kRightOrigin = 0x10;

// How the bytes of one stored pixel become a picture pixel.
enum class PixelKind { Index, Grey, GreyAlpha, Rgb15, Rgb24, Rgb32 };

// A 5-bit channel widens to round(v * 255 / 31).
constexpr std::uint8_t widen5(unsigned v)
{
    return static_cast<std::uint8_t>((v * 255 + 15) / 31);
}

Rgb colourFrom15(unsigned v)
{
    return packRgb(widen5((v >> 10) & 31), widen5((v >> 5) & 31), widen5(v & 31));
}

std::uint32_t loadU32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// A colour-map entry or true-colour pixel of 15/16, 24 or 32 bits (blue first; alpha ignored).
Rgb colourAt(const std::uint8_t* p, int bytes)
{
    if (bytes == 2)
        return colourFrom15(p[0] | (p[1] << 8));
    return packRgb(p[2], p[1], p[0]);
}

struct RowConverter {
    PixelKind kind;
    std::array<Rgb, 32768> const* table15 = nullptr;

    void operator()(const std::uint8_t* src, Image& image, int y) const
    {
        const int width = image.width();
        switch (kind) {
        case PixelKind::Index:
        case PixelKind::Grey:
            std::memcpy(image.row(y), src, static_cast<std::size_t>(width));
            return;
        case PixelKind::GreyAlpha: {
            std::uint8_t* out = image.row(y);
            for (int x = 0; x < width; ++x)
                out[x] = src[2 * x];
            return;
        }
        case PixelKind::Rgb15: {
            Rgb* out = image.rgbRow(y);
            const Rgb* table = table15->data();
            for (int x = 0; x < width; ++x)
                out[x] = table[(src[2 * x] | (src[2 * x + 1] << 8)) & 0x7FFF];
            return;
        }
        case PixelKind::Rgb24: {
            bgrToRgbRow(src, image.rgbRow(y), width);
            return;
        }
        case PixelKind::Rgb32: {
            Rgb* out = image.rgbRow(y);
            for (int x = 0; x < width; ++x)
                out[x] = loadU32(src + 4 * x) | 0xFF000000u;
            return;
        }
        }
    }
};

void mirrorRow(Image& image, int y)
{
    if (image.isTrueColour())
        std::reverse(image.rgbRow(y), image.rgbRow(y) + image.width());
    else
        std::reverse(image.row(y), image.row(y) + image.width());
}

// Run-length packets may run on from one row into the next, so the state lives across rows.
class PacketReader {
public:
    PacketReader(const std::uint8_t* data, std::size_t size, int pixelBytes)
        : m_p(data), m_end(data + size), m_pixelBytes(pixelBytes)
    {}

    // Fills one row of count stored pixels; false when the data ends first.
    bool readRow(std::uint8_t* out, int count)
    {
        const std::size_t b = static_cast<std::size_t>(m_pixelBytes);
        while (count > 0) {
            if (m_left == 0) {
                if (m_p == m_end)
                    return false;
                const unsigned header = *m_p++;
                m_left = static_cast<int>(header & 0x7F) + 1;
                m_repeat = header & 0x80;
                if (m_repeat) {
                    if (static_cast<std::size_t>(m_end - m_p) < b)
                        return false;
                    std::memcpy(m_value, m_p, b);
                    m_p += b;
                }
            }
            const int n = std::min(m_left, count);
            if (m_repeat) {
                for (int i = 0; i < n; ++i, out += b)
                    std::memcpy(out, m_value, b);
            } else {
                const std::size_t bytes = b * static_cast<std::size_t>(n);
                if (static_cast<std::size_t>(m_end - m_p) < bytes)
                    return false;
                std::memcpy(out, m_p, bytes);
                m_p += bytes;
                out += bytes;
            }
            m_left -= n;
            count -= n;
        }
        return true;
    }

private:
    const std::uint8_t* m_p;
    const std::uint8_t* m_end;
    int m_pixelBytes;
    int m_left = 0;
    bool m_repeat = false;
    std::uint8_t m_value[4] = {};
};

} // namespace

Image decodeTga(ByteSpan bytes)
{
    ByteReader in(bytes, kFormat);
    const int idBytes = in.u8();
    const int mapType = in.u8();
    const int imageType = in.u8();
    const int mapFirst = in.u16le();
    const int mapLength = in.u16le();
    const int mapEntryBits = in.u8();
    in.skip(4); // screen origin
    const int width = in.u16le();
    const int height = in.u16le();
    const int pixelBits = in.u8();
    const int descriptor = in.u8();

    if (mapType > 1)
        in.fail("has a colour map of type " + std::to_string(mapType) + "; it is damaged or not a TGA file.");
    if (imageType == 0)
        in.fail("holds no picture.");
    const int kind = imageType & ~kRunLength;
    if ((imageType & ~(kRunLength | 3)) != 0 || kind == 0)
        in.fail("is of type " + std::to_string(imageType) + ", which cannot be read.");
    const bool runLength = imageType & kRunLength;
    checkPictureSides(kFormat, width, height);

    PixelKind pixelKind = PixelKind::Index;
    if (kind == kColourMapped) {
        if (pixelBits != 8)
            in.fail("uses " + std::to_string(pixelBits) +
                    "-bit colour-map indices; only 8-bit indices can be read.");
        if (mapType != 1)
            in.fail("is colour-mapped but has no colour map.");
    } else if (kind == kGrey) {
        if (pixelBits != 8 && pixelBits != 16)
            in.fail("holds " + std::to_string(pixelBits) +
                    "-bit grey pixels; only 8 and 16 bits can be read.");
        pixelKind = pixelBits == 8 ? PixelKind::Grey : PixelKind::GreyAlpha;
    } else {
        if (pixelBits == 15 || pixelBits == 16)
            pixelKind = PixelKind::Rgb15;
        else if (pixelBits == 24)
            pixelKind = PixelKind::Rgb24;
        else if (pixelBits == 32)
            pixelKind = PixelKind::Rgb32;
        else
            in.fail("holds " + std::to_string(pixelBits) +
                    "-bit colour pixels; only 15, 16, 24 and 32 bits can be read.");
    }

    in.skip(static_cast<std::size_t>(idBytes));
    std::vector<Rgb> palette;
    if (mapType == 1) {
        const int entryBytes = (mapEntryBits + 7) / 8;
        if (kind == kColourMapped && mapEntryBits != 15 && mapEntryBits != 16 && mapEntryBits != 24 &&
            mapEntryBits != 32)
            in.fail("has " + std::to_string(mapEntryBits) +
                    "-bit colour-map entries; only 15, 16, 24 and 32 bits can be read.");
        const std::uint8_t* map = in.take(static_cast<std::size_t>(entryBytes) * mapLength);
        if (kind == kColourMapped) {
            // Index i names map entry i - first; indices outside the map are black.
            palette.assign(256, packRgb(0, 0, 0));
            for (int i = mapFirst; i < 256 && i - mapFirst < mapLength; ++i)
                palette[i] = colourAt(map + entryBytes * (i - mapFirst), entryBytes);
        }
    }

    const int pixelBytes = (pixelBits + 7) / 8;
    const std::size_t pixels = static_cast<std::size_t>(width) * height;
    const std::uint8_t* data = in.data() + in.position();
    const std::size_t dataBytes = in.remaining();
    // A packet takes at least a byte plus one pixel and stands for at most 128 pixels.
    if (runLength ? pixels / 128 > dataBytes / (1 + pixelBytes) : pixels * pixelBytes > dataBytes)
        in.fail("ends before its last row of pixels: it is cut short or damaged.");

    static const std::array<Rgb, 32768> table15 = [] {
        std::array<Rgb, 32768> t{};
        for (unsigned v = 0; v < 32768; ++v)
            t[v] = colourFrom15(v);
        return t;
    }();
    const RowConverter convert{pixelKind, &table15};

    Image image(width, height, kind == kTrueColour ? 24 : 8);
    if (kind == kColourMapped)
        image.setPalette(palette);
    const bool topOrigin = descriptor & kTopOrigin;
    const bool rightOrigin = descriptor & kRightOrigin;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * pixelBytes;

    if (runLength) {
        std::vector<std::uint8_t> row(rowBytes);
        PacketReader packets(data, dataBytes, pixelBytes);
        for (int fileRow = 0; fileRow < height; ++fileRow) {
            if (!packets.readRow(row.data(), width))
                in.fail("ends before its last row of pixels: it is cut short or damaged.");
            const int y = topOrigin ? fileRow : height - 1 - fileRow;
            convert(row.data(), image, y);
            if (rightOrigin)
                mirrorRow(image, y);
        }
        return image;
    }
    forEachBand(height, [&](int first, int end) {
        for (int y = first; y < end; ++y) {
            const int fileRow = topOrigin ? y : height - 1 - y;
            convert(data + rowBytes * fileRow, image, y);
            if (rightOrigin)
                mirrorRow(image, y);
        }
    });
    return image;
}

Bytes encodeTga(const Image& image)
{
    if (image.isNull())
        throw ImageError("There is no picture to save as a TGA file.");
    const int width = image.width();
    const int height = image.height();
    const bool mapped = !image.isTrueColour();
    // A 1 or 4-bit picture keeps its 2 or 16 entries in an 8-bit colour-mapped file; read
    // back, it is an 8-bit picture with the same colours.
    const int entries = mapped ? Image::paletteSizeFor(image.depth()) : 0;
    const std::size_t pixelBytes = mapped ? 1 : 3;
    const std::size_t rowBytes = pixelBytes * width;
    const std::size_t pixelOffset = kHeaderBytes + 3 * static_cast<std::size_t>(entries);
    static constexpr char kFooter[] = "\0\0\0\0\0\0\0\0TRUEVISION-XFILE.";
    const std::size_t footerBytes = sizeof kFooter; // with its closing zero
    Bytes out(pixelOffset + rowBytes * height + footerBytes);
    std::uint8_t* p = out.data();
    p[1] = mapped ? 1 : 0;
    p[2] = static_cast<std::uint8_t>(mapped ? kColourMapped : kTrueColour);
    storeU16le(p + 5, static_cast<unsigned>(entries));
    p[7] = mapped ? 24 : 0;
    storeU16le(p + 12, static_cast<unsigned>(width));
    storeU16le(p + 14, static_cast<unsigned>(height));
    p[16] = mapped ? 8 : 24;
    p[17] = 0; // bottom-left origin, no alpha bits
    for (int i = 0; i < entries; ++i) {
        const Rgb c = image.palette()[i];
        p[kHeaderBytes + 3 * i] = static_cast<std::uint8_t>(blueOf(c));
        p[kHeaderBytes + 3 * i + 1] = static_cast<std::uint8_t>(greenOf(c));
        p[kHeaderBytes + 3 * i + 2] = static_cast<std::uint8_t>(redOf(c));
    }
    storeRowsBottomUp(image, p + pixelOffset, rowBytes, 8);
    std::memcpy(p + pixelOffset + rowBytes * height, kFooter, footerBytes);
    return out;
}

} // namespace vask
