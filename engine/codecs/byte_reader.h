#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"
#include "engine/image/image_error.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace vask {

// Throws ImageError "The <format> file <reason>"; reason ends the sentence, with its stop.
[[noreturn]] inline void throwFileError(const char* format, const std::string& reason)
{
    throw ImageError(std::string("The ") + format + " file " + reason);
}

// Reads a file held in memory field by field, little-endian, never past its end: a read that
// does not fit throws ImageError "The <format> file ends too early ...", so a decoder needs
// no length checks of its own for header fields. Not thread-safe; one reader per decode.
class ByteReader {
public:
    ByteReader(ByteSpan bytes, const char* format) : m_bytes(bytes), m_format(format) {}

    std::size_t size() const { return m_bytes.size(); }
    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_bytes.size() - m_position; }
    const std::uint8_t* data() const { return m_bytes.data(); }
    const char* format() const { return m_format; }

    // Moves to an absolute offset; the end itself is allowed, anything past it throws.
    void seek(std::size_t offset)
    {
        if (offset > m_bytes.size())
            failTruncated();
        m_position = offset;
    }
    void skip(std::size_t count)
    {
        if (count > remaining())
            failTruncated();
        m_position += count;
    }

    std::uint8_t u8() { return *take(1); }
    std::uint16_t u16le()
    {
        const std::uint8_t* p = take(2);
        return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    }
    std::uint32_t u32le()
    {
        const std::uint8_t* p = take(4);
        return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
               (std::uint32_t(p[3]) << 24);
    }
    std::int32_t i32le() { return static_cast<std::int32_t>(u32le()); }

    // The next count bytes, which the reader steps over.
    const std::uint8_t* take(std::size_t count)
    {
        if (count > remaining())
            failTruncated();
        const std::uint8_t* p = m_bytes.data() + m_position;
        m_position += count;
        return p;
    }

    // Throws "The <format> file ends too early: it is cut short or damaged."
    [[noreturn]] void failTruncated() const
    {
        throw ImageError(std::string("The ") + m_format +
                         " file ends too early: it is cut short or damaged.");
    }
    // Throws "The <format> file <reason>"; reason ends the sentence, with its stop.
    [[noreturn]] void fail(const std::string& reason) const { throwFileError(m_format, reason); }

private:
    ByteSpan m_bytes;
    const char* m_format;
    std::size_t m_position = 0;
};

// Checks a picture size read from a header before anything is allocated: each side must be
// 1 to Image::kMaxSide pixels. The sizes are 64-bit so that negated or summed header fields
// arrive here unwrapped.
inline void checkPictureSides(const char* format, std::int64_t width, std::int64_t height)
{
    if (width < 1 || height < 1 || width > Image::kMaxSide || height > Image::kMaxSide)
        throwFileError(format, "describes a picture of " + std::to_string(width) + " x " +
                                   std::to_string(height) + " pixels; each side must be 1 to " +
                                   std::to_string(Image::kMaxSide) + " pixels.");
}

// Run-length pictures whose escapes can skip pixels (BMP RLE, MSP rows) have no exact bound
// on how far their data expands. Such a picture may have up to 4 million pixels whatever its
// data, and beyond that at most 1024 pixels per byte of data (runs alone reach 127); a larger
// claim is refused as damaged before the picture is allocated.
inline void checkRunLengthClaim(const char* format, std::int64_t pixels, std::size_t dataBytes)
{
    constexpr std::int64_t kAlwaysAllowed = std::int64_t(4) << 20;
    constexpr std::int64_t kPixelsPerByte = 1024;
    if (pixels <= kAlwaysAllowed)
        return;
    if (static_cast<std::uint64_t>(pixels) / kPixelsPerByte <= dataBytes)
        return;
    throwFileError(format, "is damaged: its compressed data is far too short for the picture size "
                           "its header gives.");
}

inline void storeU16le(std::uint8_t* p, unsigned v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void storeU32le(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

} // namespace vask
