#include "engine/codecs/tiff_stream.h"

#include "engine/image/image_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vask {
namespace {

// No single libtiff allocation may exceed this: a hostile header cannot ask for gigabytes.
// Strips and tiles of real pictures are far smaller; pixel buffers are ours, not libtiff's.
constexpr tmsize_t kMaxLibtiffAllocation = tmsize_t(512) << 20;

struct OptionsDeleter {
    void operator()(TIFFOpenOptions* options) const { TIFFOpenOptionsFree(options); }
};

// A large output fills fresh pages; in 2 MB pages it costs a few hundred faults instead of
// tens of thousands. Only the whole huge pages inside the block are advised.
void adviseHugePages(void* block, std::size_t bytes)
{
    constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(block);
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kHugePage - 1);
    if (end > first)
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

TiffStream* self(thandle_t handle)
{
    return static_cast<TiffStream*>(handle);
}

} // namespace

TiffStream::TiffStream(ByteSpan bytes) : m_input(bytes)
{
    open("r");
}

TiffStream::TiffStream(Bytes& sink, std::size_t expectedBytes) : m_output(&sink)
{
    sink.clear();
    sink.reserve(expectedBytes);
    adviseHugePages(sink.data(), sink.capacity());
    open("w");
}

TiffStream::TiffStream(int fileDescriptor) : m_fd(fileDescriptor)
{
    open("w");
}

TiffStream::~TiffStream()
{
    if (m_tiff)
        TIFFClose(m_tiff);
}

void TiffStream::open(const char* mode)
{
    std::unique_ptr<TIFFOpenOptions, OptionsDeleter> options(TIFFOpenOptionsAlloc());
    if (!options)
        throw ImageError("There is not enough memory to open a TIFF file.");
    TIFFOpenOptionsSetMaxSingleMemAlloc(options.get(), kMaxLibtiffAllocation);
    TIFFOpenOptionsSetErrorHandlerExtR(options.get(), &TiffStream::errorProc, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options.get(), &TiffStream::warningProc, this);
    m_tiff = TIFFClientOpenExt("memory", mode, this, &readProc, &writeProc, &seekProc, &closeProc, &sizeProc,
                               &mapProc, &unmapProc, options.get());
    if (!m_tiff)
        fail(m_output || m_fd >= 0 ? "The TIFF file cannot be started" : "This is not a readable TIFF file");
}

void TiffStream::finishWriting()
{
    if (!TIFFWriteDirectory(m_tiff))
        fail("The TIFF file cannot be completed");
    TIFFClose(m_tiff);
    m_tiff = nullptr;
}

void TiffStream::fail(const std::string& what) const
{
    std::string reason = m_firstError;
    while (!reason.empty() && (reason.back() == '.' || reason.back() == '\n' || reason.back() == ' '))
        reason.pop_back();
    throw ImageError(reason.empty() ? what + "." : what + ": " + reason + ".");
}

tmsize_t TiffStream::readProc(thandle_t handle, void* buffer, tmsize_t size)
{
    TiffStream& file = *self(handle);
    if (file.m_fd >= 0) {
        const ssize_t n =
            ::pread(file.m_fd, buffer, static_cast<std::size_t>(size), static_cast<off_t>(file.m_position));
        if (n > 0)
            file.m_position += static_cast<std::uint64_t>(n);
        return n;
    }
    if (size <= 0 || file.m_position >= file.m_input.size())
        return 0;
    const std::uint64_t n =
        std::min<std::uint64_t>(static_cast<std::uint64_t>(size), file.m_input.size() - file.m_position);
    std::memcpy(buffer, file.m_input.data() + file.m_position, n);
    file.m_position += n;
    return static_cast<tmsize_t>(n);
}

// libtiff writes the header, then strips in order, then the directory, and finally patches
// the header: nearly every write appends, so the vector grows without zero-filling first.
tmsize_t TiffStream::writeProc(thandle_t handle, void* buffer, tmsize_t size)
{
    TiffStream& file = *self(handle);
    if (size < 0)
        return -1;
    if (file.m_fd >= 0) {
        // pwrite at our own position: seeking is only bookkeeping.
        const auto* data = static_cast<const std::uint8_t*>(buffer);
        std::size_t done = 0;
        while (done < static_cast<std::size_t>(size)) {
            const ssize_t n = ::pwrite(file.m_fd, data + done, static_cast<std::size_t>(size) - done,
                                       static_cast<off_t>(file.m_position + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                if (file.m_firstError[0] == '\0')
                    std::snprintf(file.m_firstError, sizeof file.m_firstError, "%s", std::strerror(errno));
                return -1;
            }
            done += static_cast<std::size_t>(n);
        }
        file.m_position += done;
        return size;
    }
    if (!file.m_output)
        return -1;
    Bytes& out = *file.m_output;
    const auto* data = static_cast<const std::uint8_t*>(buffer);
    const std::uint64_t end = file.m_position + static_cast<std::uint64_t>(size);
    try {
        if (file.m_position > out.size())
            out.resize(file.m_position);
        const std::size_t overlap = std::min<std::uint64_t>(end, out.size()) - file.m_position;
        std::memcpy(out.data() + file.m_position, data, overlap);
        out.insert(out.end(), data + overlap, data + size);
    } catch (const std::exception&) {
        std::snprintf(file.m_firstError, sizeof file.m_firstError, "there is not enough memory for it");
        return -1;
    }
    file.m_position = end;
    return size;
}

toff_t TiffStream::seekProc(thandle_t handle, toff_t offset, int whence)
{
    TiffStream& file = *self(handle);
    const std::uint64_t size = sizeProc(handle);
    // SEEK_CUR and SEEK_END may move backwards: the offset is then a wrapped negative number.
    std::uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = file.m_position;
    else if (whence == SEEK_END)
        base = size;
    const std::uint64_t target = base + offset;
    if (static_cast<std::int64_t>(target) < 0)
        return static_cast<toff_t>(-1);
    file.m_position = target;
    return target;
}

int TiffStream::closeProc(thandle_t)
{
    return 0;
}

toff_t TiffStream::sizeProc(thandle_t handle)
{
    const TiffStream& file = *self(handle);
    if (file.m_fd >= 0) {
        struct stat info {};
        return ::fstat(file.m_fd, &info) == 0 ? static_cast<toff_t>(info.st_size) : 0;
    }
    return file.m_output ? file.m_output->size() : file.m_input.size();
}

int TiffStream::mapProc(thandle_t handle, void** base, toff_t* size)
{
    const TiffStream& file = *self(handle);
    if (file.m_output || file.m_fd >= 0 || file.m_input.empty())
        return 0;
    // libtiff only reads through the mapping of a file opened for reading.
    *base = const_cast<std::uint8_t*>(file.m_input.data());
    *size = file.m_input.size();
    return 1;
}

void TiffStream::unmapProc(thandle_t, void*, toff_t) {}

int TiffStream::errorProc(TIFF*, void* user, const char*, const char* format, va_list args)
{
    auto* file = static_cast<TiffStream*>(user);
    if (file->m_firstError[0] == '\0')
        std::vsnprintf(file->m_firstError, sizeof file->m_firstError, format, args);
    return 1;
}

int TiffStream::warningProc(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

} // namespace vask
