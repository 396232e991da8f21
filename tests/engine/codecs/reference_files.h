#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

#include <functional>
#include <string>
#include <vector>

namespace vask::test {

// The reference files under tests/data (made once by tests/data/make_reference_files.sh).
std::string referenceDataFolder();
// The bytes of tests/data/<relativePath>; an empty vector (and a test failure) if missing.
Bytes readReferenceFile(const std::string& relativePath);
// The names of the files in tests/data/<folder> ending in extension, sorted.
std::vector<std::string> referenceFileNames(const std::string& folder, const std::string& extension);

// A binary PPM (P6, maxval 255) or PBM (P4) as a 24-bit picture; a null picture when the
// bytes are not one.
Image decodeNetpbm(ByteSpan bytes);

// Runs decode on every truncation of bytes and on many copies with bytes changed; each must
// give a picture or throw ImageError. Returns how many of the variants decoded.
int decodeDamagedVariants(const Bytes& bytes, const std::function<void(ByteSpan)>& decode);

// A file built byte by byte in a test.
class ByteBuilder {
public:
    ByteBuilder& u8(unsigned v);
    ByteBuilder& u16(unsigned v);
    ByteBuilder& u32(std::uint32_t v);
    ByteBuilder& text(const std::string& s);
    ByteBuilder& bytes(std::initializer_list<unsigned> values);
    ByteBuilder& repeat(unsigned value, std::size_t count);
    const Bytes& result() const { return m_bytes; }
    std::size_t size() const { return m_bytes.size(); }

private:
    Bytes m_bytes;
};

// The indices of a palette picture, row by row, for comparing with hand-computed tables.
std::vector<int> indicesOf(const Image& image);
// The colours of a picture, row by row, without the top byte.
std::vector<Rgb> coloursOf(const Image& image);

} // namespace vask::test
