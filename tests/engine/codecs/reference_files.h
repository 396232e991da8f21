#pragma once

#include "engine/codecs/byte_span.h"
#include "engine/image/image.h"

#include <functional>
#include <string>
#include <vector>

namespace vask::test {

// The bytes of tests/data/<relativePath>, the reference files made once by
// tests/data/make_reference_files.sh; ImageError if missing.
Bytes readReferenceFile(const std::string& relativePath);
// "<folder>/<name>" of the files in tests/data/<folder> other than the expected .ppm/.pbm, sorted.
std::vector<std::string> referenceFileNames(const std::string& folder);

// A binary PPM (P6, maxval 255) or PBM (P4) as a 24-bit picture; a null picture otherwise.
Image decodeNetpbm(ByteSpan bytes);

// Runs decode on every truncation of bytes and on many copies with bytes changed; each must
// give a picture or throw ImageError.
void decodeDamagedVariants(const Bytes& bytes, const std::function<void(ByteSpan)>& decode);

// The message of the ImageError run throws; empty when it throws none.
std::string errorOf(const std::function<void()>& run);
// Expects a refusal: a message starting with prefix and ending with a full stop.
void expectSentence(const std::string& message, const std::string& prefix, const std::string& what = {});

// A colour with alpha composed over white in floating point, to check integer composition.
Rgb overWhiteReference(Rgb colour, unsigned alpha);

// What libtiff's own reader sees in a TIFF file: first-directory tags and the pixels.
struct LibtiffView {
    std::uint16_t compression = 0, photometric = 0, bits = 0, samples = 0;
    Image picture; // 24-bit
};
LibtiffView readWithLibtiff(const Bytes& file);

// A file built byte by byte in a test, little-endian.
class ByteBuilder {
public:
    ByteBuilder& u8(unsigned v) { return repeat(v, 1); }
    ByteBuilder& u16(unsigned v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    ByteBuilder& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
    ByteBuilder& text(const std::string& s) { return append(Bytes(s.begin(), s.end())); }
    ByteBuilder& repeat(unsigned v, std::size_t n) { return append(Bytes(n, std::uint8_t(v))); }
    ByteBuilder& append(const Bytes& more)
    {
        m_bytes.insert(m_bytes.end(), more.begin(), more.end());
        return *this;
    }
    const Bytes& result() const { return m_bytes; }

private:
    Bytes m_bytes;
};

// The indices of a palette picture, row by row, for comparing with hand-computed tables.
std::vector<int> indicesOf(const Image& image);
// The colours of a picture, row by row, without the top byte.
std::vector<Rgb> coloursOf(const Image& image);

} // namespace vask::test
