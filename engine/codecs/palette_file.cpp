#include "engine/codecs/palette_file.h"

#include "engine/codecs/byte_reader.h"
#include "engine/codecs/file_io.h"
#include "engine/image/image_error.h"

#include <charconv>
#include <cstring>
#include <string_view>

namespace vask {
namespace {

constexpr const char* kFormat = "palette";
constexpr std::size_t kMaxColours = 256;
constexpr unsigned kLogPaletteVersion = 0x300;

bool startsWith(ByteSpan bytes, std::string_view text)
{
    return bytes.size() >= text.size() && std::memcmp(bytes.data(), text.data(), text.size()) == 0;
}

void checkCount(std::size_t count)
{
    if (count < 1 || count > kMaxColours)
        throwFileError(kFormat, "holds " + std::to_string(count) + " colours; a palette has 1 to 256.");
}

// RIFF "PAL ": chunks of a four-letter name, a 32-bit length and the data, padded to even
// lengths. The "data" chunk holds a LOGPALETTE: version, count, then red, green, blue and a
// flags byte per colour.
std::vector<Rgb> decodeRiff(ByteSpan bytes)
{
    ByteReader in(bytes, kFormat);
    in.skip(4);
    const std::size_t riffEnd = std::min<std::size_t>(in.size(), std::size_t(8) + in.u32le());
    if (std::memcmp(in.take(4), "PAL ", 4) != 0)
        in.fail("is a RIFF file but not a palette.");
    while (in.position() + 8 <= riffEnd) {
        const std::uint8_t* name = in.take(4);
        const std::size_t length = in.u32le();
        if (std::memcmp(name, "data", 4) != 0) {
            in.skip(std::min<std::size_t>(length + (length & 1), in.remaining()));
            continue;
        }
        if (length < 4)
            in.fail("has a palette chunk too short to hold any colour.");
        in.u16le(); // version, 0x300 in every file seen; others are read the same way
        const std::size_t count = in.u16le();
        checkCount(count);
        if (length < 4 + 4 * count)
            in.fail("has a palette chunk too short for its " + std::to_string(count) + " colours.");
        std::vector<Rgb> palette(count);
        for (auto& colour : palette) {
            const std::uint8_t* e = in.take(4);
            colour = packRgb(e[0], e[1], e[2]);
        }
        return palette;
    }
    in.fail("has no palette data chunk.");
}

// Splits the text into lines, each without its CR, LF and surrounding blanks.
std::vector<std::string_view> textLines(ByteSpan bytes)
{
    std::vector<std::string_view> lines;
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
            line.remove_suffix(1);
        while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
            line.remove_prefix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Reads the whole-number fields of a line; false when a field is not a number.
bool numbersOf(std::string_view line, std::vector<long>& numbers)
{
    numbers.clear();
    const char* p = line.data();
    const char* end = p + line.size();
    while (p < end) {
        while (p < end && (*p == ' ' || *p == '\t'))
            ++p;
        if (p == end)
            break;
        long value = 0;
        const auto [next, error] = std::from_chars(p, end, value);
        if (error != std::errc() || (next < end && *next != ' ' && *next != '\t'))
            return false;
        numbers.push_back(value);
        p = next;
    }
    return true;
}

// JASC-PAL text: "JASC-PAL", "0100", the count, then one "red green blue" line per colour.
std::vector<Rgb> decodeJasc(ByteSpan bytes)
{
    const std::vector<std::string_view> lines = textLines(bytes);
    std::vector<long> numbers;
    if (lines.size() < 3 || lines[1] != "0100")
        throwFileError(kFormat, "is a JASC palette of an unknown version.");
    if (!numbersOf(lines[2], numbers) || numbers.size() != 1)
        throwFileError(kFormat, "has no colour count on its third line.");
    if (numbers[0] < 1 || numbers[0] > long(kMaxColours))
        throwFileError(kFormat, "holds " + std::to_string(numbers[0]) + " colours; a palette has 1 to 256.");
    const auto count = static_cast<std::size_t>(numbers[0]);
    if (lines.size() < 3 + count)
        throwFileError(kFormat, "ends before its last colour: it is cut short or damaged.");
    std::vector<Rgb> palette(count);
    for (std::size_t i = 0; i < count; ++i) {
        if (!numbersOf(lines[3 + i], numbers) || numbers.size() < 3 || numbers[0] < 0 || numbers[0] > 255 ||
            numbers[1] < 0 || numbers[1] > 255 || numbers[2] < 0 || numbers[2] > 255)
            throwFileError(kFormat, "has a colour line that is not three numbers from 0 to 255 (colour " +
                                        std::to_string(i) + ").");
        palette[i] = packRgb(static_cast<unsigned>(numbers[0]), static_cast<unsigned>(numbers[1]),
                             static_cast<unsigned>(numbers[2]));
    }
    return palette;
}

} // namespace

std::vector<Rgb> decodePalette(ByteSpan bytes)
{
    if (startsWith(bytes, "RIFF"))
        return decodeRiff(bytes);
    if (startsWith(bytes, "JASC-PAL"))
        return decodeJasc(bytes);
    throw ImageError("The palette file is neither a RIFF palette nor a JASC-PAL text palette.");
}

Bytes encodePalette(const std::vector<Rgb>& palette)
{
    if (palette.empty() || palette.size() > kMaxColours)
        throw ImageError("A palette file holds 1 to 256 colours, not " + std::to_string(palette.size()) +
                         ".");
    const auto count = static_cast<std::uint32_t>(palette.size());
    const std::uint32_t dataBytes = 4 + 4 * count;
    Bytes out(20 + dataBytes);
    std::uint8_t* p = out.data();
    std::memcpy(p, "RIFF", 4);
    storeU32le(p + 4, 12 + dataBytes);
    std::memcpy(p + 8, "PAL data", 8);
    storeU32le(p + 16, dataBytes);
    storeU16le(p + 20, kLogPaletteVersion);
    storeU16le(p + 22, count);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint8_t* e = p + 24 + 4 * i;
        e[0] = static_cast<std::uint8_t>(redOf(palette[i]));
        e[1] = static_cast<std::uint8_t>(greenOf(palette[i]));
        e[2] = static_cast<std::uint8_t>(blueOf(palette[i]));
        e[3] = 0;
    }
    return out;
}

std::vector<Rgb> readPaletteFile(const std::string& path)
{
    const Bytes bytes = readWholeFile(path);
    try {
        return decodePalette(bytes);
    } catch (const ImageError& e) {
        throw ImageError(path + ": " + e.what());
    }
}

void writePaletteFile(const std::string& path, const std::vector<Rgb>& palette)
{
    writeFileAtomically(path, encodePalette(palette));
}

} // namespace vask
