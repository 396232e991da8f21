#include "engine/codecs/file_io.h"

#include "engine/image/image_error.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vask {
namespace {

std::string systemReason() { return std::strerror(errno); }

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

} // namespace

Bytes readWholeFile(const std::string& path)
{
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0)
        throw ImageError("The file " + path + " cannot be opened: " + systemReason() + ".");
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        throw ImageError("The file " + path + " is not a regular file.");
    Bytes bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw ImageError("The file " + path + " cannot be read: " + systemReason() + ".");
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

void writeFileAtomically(const std::string& path, ByteSpan bytes)
{
    std::string temporary = path + ".vask-XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0)
        throw ImageError("The file " + path + " cannot be written: " + systemReason() + ".");
    auto fail = [&](const std::string& reason) {
        ::close(fd.release());
        ::unlink(temporary.c_str());
        throw ImageError("The file " + path + " cannot be written: " + reason + ".");
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            fail(systemReason());
        done += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file private; a saved picture gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd.get(), 0666 & ~mask);
    if (::close(fd.release()) != 0) {
        const std::string reason = systemReason();
        ::unlink(temporary.c_str());
        throw ImageError("The file " + path + " cannot be written: " + reason + ".");
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = systemReason();
        ::unlink(temporary.c_str());
        throw ImageError("The file " + path + " cannot be written: " + reason + ".");
    }
}

} // namespace vask
