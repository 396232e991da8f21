#include "tests/engine/codecs/reference_files.h"

#include "engine/image/image_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace vask::test {

std::string referenceDataFolder()
{
    // This file lives in tests/engine/codecs; the data in tests/data.
    return (std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "data").string();
}

Bytes readReferenceFile(const std::string& relativePath)
{
    const std::string path = referenceDataFolder() + "/" + relativePath;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        ADD_FAILURE() << "missing reference file " << path;
        return {};
    }
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::vector<std::string> referenceFileNames(const std::string& folder, const std::string& extension)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(referenceDataFolder() + "/" + folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > extension.size() && name.ends_with(extension))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

Image decodeNetpbm(ByteSpan bytes)
{
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < bytes.size()) {
            if (bytes[at] == '#')
                while (at < bytes.size() && bytes[at] != '\n')
                    ++at;
            else if (std::isspace(bytes[at]))
                ++at;
            else
                break;
        }
    };
    const auto number = [&] {
        skipBlanks();
        int value = 0;
        while (at < bytes.size() && std::isdigit(bytes[at]))
            value = value * 10 + (bytes[at++] - '0');
        return value;
    };
    if (bytes.size() < 2 || bytes[0] != 'P' || (bytes[1] != '6' && bytes[1] != '4'))
        return {};
    const bool bitmap = bytes[1] == '4';
    at = 2;
    const int width = number();
    const int height = number();
    const int maxValue = bitmap ? 1 : number();
    ++at; // the single blank before the pixels
    const std::size_t rowBytes = bitmap ? (width + 7) / 8 : 3 * std::size_t(width);
    if (width < 1 || height < 1 || maxValue != (bitmap ? 1 : 255) || bytes.size() < at + rowBytes * height)
        return {};
    Image image(width, height, 24);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* row = bytes.data() + at + rowBytes * y;
        for (int x = 0; x < width; ++x) {
            if (bitmap) {
                const bool black = (row[x / 8] >> (7 - x % 8)) & 1;
                image.rgbRow(y)[x] = black ? packRgb(0, 0, 0) : packRgb(255, 255, 255);
            } else {
                image.rgbRow(y)[x] = packRgb(row[3 * x], row[3 * x + 1], row[3 * x + 2]);
            }
        }
    }
    return image;
}

int decodeDamagedVariants(const Bytes& bytes, const std::function<void(ByteSpan)>& decode)
{
    int decoded = 0;
    const auto attempt = [&](ByteSpan variant, const std::string& what) {
        try {
            decode(variant);
            ++decoded;
        } catch (const ImageError&) {
        } catch (const std::exception& e) {
            ADD_FAILURE() << what << " threw something other than ImageError: " << e.what();
        }
    };
    for (std::size_t length = 0; length < bytes.size(); ++length)
        attempt(ByteSpan(bytes.data(), length), "the file cut to " + std::to_string(length) + " bytes");

    // Changed bytes: single bytes set to the values that break header arithmetic, then random
    // changes of a few bytes at once. The header is where most damage matters, so the first
    // 128 bytes are changed more often.
    std::mt19937 random(1234);
    Bytes copy = bytes;
    const std::size_t headerBytes = std::min<std::size_t>(bytes.size(), 128);
    for (std::size_t at = 0; at < headerBytes; ++at) {
        for (const std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            copy[at] = value;
            attempt(copy, "the file with byte " + std::to_string(at) + " set to " + std::to_string(value));
        }
        copy[at] = bytes[at];
    }
    for (int round = 0; round < 2000; ++round) {
        copy = bytes;
        const int changes = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < changes; ++i) {
            const std::size_t span = random() % 3 == 0 ? copy.size() : headerBytes;
            copy[random() % span] = static_cast<std::uint8_t>(random());
        }
        attempt(copy, "a changed copy (round " + std::to_string(round) + ")");
    }
    return decoded;
}

ByteBuilder& ByteBuilder::u8(unsigned v)
{
    m_bytes.push_back(static_cast<std::uint8_t>(v));
    return *this;
}

ByteBuilder& ByteBuilder::u16(unsigned v)
{
    return u8(v & 0xFF).u8((v >> 8) & 0xFF);
}

ByteBuilder& ByteBuilder::u32(std::uint32_t v)
{
    return u16(v & 0xFFFF).u16(v >> 16);
}

ByteBuilder& ByteBuilder::text(const std::string& s)
{
    m_bytes.insert(m_bytes.end(), s.begin(), s.end());
    return *this;
}

ByteBuilder& ByteBuilder::bytes(std::initializer_list<unsigned> values)
{
    for (const unsigned v : values)
        u8(v);
    return *this;
}

ByteBuilder& ByteBuilder::repeat(unsigned value, std::size_t count)
{
    m_bytes.insert(m_bytes.end(), count, static_cast<std::uint8_t>(value));
    return *this;
}

std::vector<int> indicesOf(const Image& image)
{
    std::vector<int> indices;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            indices.push_back(image.pixelIndex(x, y));
    return indices;
}

std::vector<Rgb> coloursOf(const Image& image)
{
    std::vector<Rgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.push_back(image.pixelColour(x, y) & 0xFFFFFF);
    return colours;
}

} // namespace vask::test
