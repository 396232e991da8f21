#include "engine/codecs/msp_codec.h"

#include "engine/codecs/byte_reader.h"
#include "engine/codecs/packed_rows.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace vask {
namespace {

constexpr const char* kFormat = "MSP";
constexpr std::size_t kHeaderBytes = 32;
// The two key words: "DanM" for version 1, "LinS" for version 2, little-endian.
constexpr unsigned kVersion1Key1 = 0x6144;
constexpr unsigned kVersion1Key2 = 0x4D6E;
constexpr unsigned kVersion2Key1 = 0x694C;
constexpr unsigned kVersion2Key2 = 0x536E;
// A row is white where nothing is drawn: bit 1 is white.
constexpr std::uint8_t kWhiteByte = 0xFF;

// One version 2 row: a zero byte, a count and a value make a run; any other byte n is
// followed by n bytes taken as they are. Bytes past the row's end are dropped; a row whose
// data stops short is white to its end.
void decodeRow(const std::uint8_t* p, std::size_t n, std::uint8_t* row, std::size_t rowBytes)
{
    std::memset(row, kWhiteByte, rowBytes);
    const std::uint8_t* end = p + n;
    std::size_t at = 0;
    while (p < end && at < rowBytes) {
        const std::size_t type = *p++;
        if (type == 0) {
            if (end - p < 2)
                break;
            const std::size_t count = std::min<std::size_t>(p[0], rowBytes - at);
            std::memset(row + at, p[1], count);
            at += count;
            p += 2;
        } else {
            const std::size_t taken = std::min(type, static_cast<std::size_t>(end - p));
            const std::size_t count = std::min(taken, rowBytes - at);
            std::memcpy(row + at, p, count);
            at += count;
            p += taken;
        }
    }
}

} // namespace

Image decodeMsp(ByteSpan bytes)
{
    ByteReader in(bytes, kFormat);
    const unsigned key1 = in.u16le();
    const unsigned key2 = in.u16le();
    const int width = in.u16le();
    const int height = in.u16le();
    in.seek(kHeaderBytes);
    const bool version1 = key1 == kVersion1Key1 && key2 == kVersion1Key2;
    const bool version2 = key1 == kVersion2Key1 && key2 == kVersion2Key2;
    if (!version1 && !version2)
        in.fail("has no Microsoft Paint key; it is damaged or not an MSP file.");
    checkPictureSides(kFormat, width, height);
    const std::size_t rowBytes = packedRowBytes(width, 1);

    if (version1) {
        if (in.remaining() / rowBytes < static_cast<std::size_t>(height))
            in.fail("ends before its last row of pixels: it is cut short or damaged.");
        Image image(width, height, 1);
        image.setPalette({packRgb(0, 0, 0), packRgb(255, 255, 255)});
        const std::uint8_t* rows = in.data() + kHeaderBytes;
        for (int y = 0; y < height; ++y)
            unpackRow(rows + rowBytes * y, image.row(y), width, 1);
        return image;
    }

    // Version 2: a map of each row's encoded length, then the rows one after another.
    checkRunLengthClaim(kFormat, std::int64_t(width) * height, in.remaining());
    const std::uint8_t* map = in.take(2 * static_cast<std::size_t>(height));
    Image image(width, height, 1);
    image.setPalette({packRgb(0, 0, 0), packRgb(255, 255, 255)});
    std::vector<std::uint8_t> row(rowBytes);
    for (int y = 0; y < height; ++y) {
        const std::size_t length = map[2 * y] | (map[2 * y + 1] << 8);
        const std::uint8_t* data = in.take(length);
        decodeRow(data, length, row.data(), rowBytes);
        unpackRow(row.data(), image.row(y), width, 1);
    }
    return image;
}

} // namespace vask
