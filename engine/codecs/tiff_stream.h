#pragma once

#include "engine/codecs/byte_span.h"

#include <cstdarg>
#include <cstdint>
#include <string>
#include <tiffio.h>

namespace vask {

// A libtiff handle on our own I/O: reading a byte span in place (mapped, so libtiff never
// copies uncompressed strips), writing into a growing byte vector, or writing into an open
// file descriptor from its start. libtiff's errors and warnings go to this object, never to
// stderr; the first error is kept for the ImageError sentence. Not copyable or movable:
// libtiff holds a pointer to it.
class TiffStream {
public:
    // Opens the first page for reading; ImageError when libtiff refuses the header.
    explicit TiffStream(ByteSpan bytes);
    // Opens for writing into sink (cleared first, with room reserved for expectedBytes).
    TiffStream(Bytes& sink, std::size_t expectedBytes);
    // Opens for writing into fd at offsets from 0 (the file should be empty); fd stays open.
    explicit TiffStream(int fileDescriptor);
    ~TiffStream();
    TiffStream(const TiffStream&) = delete;
    TiffStream& operator=(const TiffStream&) = delete;

    TIFF* get() const { return m_tiff; }
    // Writes the directory and closes; ImageError when anything could not be written.
    void finishWriting();

    // Throws ImageError: "<what>: <libtiff's first error>." or "<what>." when it said nothing.
    [[noreturn]] void fail(const std::string& what) const;

private:
    void open(const char* mode);
    static tmsize_t readProc(thandle_t handle, void* buffer, tmsize_t size);
    static tmsize_t writeProc(thandle_t handle, void* buffer, tmsize_t size);
    static toff_t seekProc(thandle_t handle, toff_t offset, int whence);
    static int closeProc(thandle_t handle);
    static toff_t sizeProc(thandle_t handle);
    static int mapProc(thandle_t handle, void** base, toff_t* size);
    static void unmapProc(thandle_t handle, void* base, toff_t size);
    static int errorProc(TIFF*, void* user, const char* module, const char* format, va_list args);
    static int warningProc(TIFF*, void* user, const char* module, const char* format, va_list args);

    TIFF* m_tiff = nullptr;
    ByteSpan m_input;
    Bytes* m_output = nullptr;
    int m_fd = -1;
    std::uint64_t m_position = 0;
    char m_firstError[256] = {};
};

} // namespace vask
