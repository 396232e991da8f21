#pragma once

#include "engine/codecs/byte_span.h"

#include <functional>
#include <string>

namespace vask {

// A file's bytes, mapped read-only (and read ahead) rather than copied: reading a 72 MB
// picture this way costs a few milliseconds instead of a copy into fresh memory. Empty files
// and files that cannot be mapped (pipes, special files) are read into memory instead.
class FileBytes {
public:
    explicit FileBytes(const std::string& path);
    ~FileBytes();
    FileBytes(const FileBytes&) = delete;
    FileBytes& operator=(const FileBytes&) = delete;

    ByteSpan bytes() const { return {m_data, m_size}; }
    operator ByteSpan() const { return bytes(); }

private:
    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    bool m_mapped = false;
    Bytes m_copy;
};

// The whole file in memory; ImageError naming the file when it cannot be read.
Bytes readWholeFile(const std::string& path);

// Writes to a temporary file beside the target and renames it over the target only when
// every byte is on disk, so a failed or interrupted save leaves the old file as it was and
// no partial file behind. The new file keeps the permissions of the one it replaces, and a
// symbolic link is written through, not replaced. ImageError naming the file on any failure.
void writeFileAtomically(const std::string& path, ByteSpan bytes);

// The same with the bytes written by writer into the open temporary file (from offset 0);
// writer throws ImageError on failure, which removes the temporary file.
void writeFileAtomically(const std::string& path, const std::function<void(int fileDescriptor)>& writer);

} // namespace vask
