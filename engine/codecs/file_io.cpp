#include "engine/codecs/file_io.h"

#include "engine/image/image_error.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vask {
namespace {

std::string systemReason()
{
    return std::strerror(errno);
}

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

int openForReading(const std::string& path, struct stat& info)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw ImageError("The file " + path + " cannot be opened: " + systemReason() + ".");
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(fd);
        throw ImageError("The file " + path + " is not a file that can be read.");
    }
    return fd;
}

Bytes readDescriptor(int fd, const std::string& path, std::size_t sizeHint)
{
    Bytes bytes(sizeHint ? sizeHint : 65536);
    std::size_t done = 0;
    for (;;) {
        if (done == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
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

} // namespace

FileBytes::FileBytes(const std::string& path)
{
    struct stat info {};
    FileDescriptor fd(openForReading(path, info));
    if (S_ISREG(info.st_mode) && info.st_size > 0) {
        void* map = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ,
                           MAP_PRIVATE | MAP_POPULATE, fd.get(), 0);
        if (map != MAP_FAILED) {
            m_data = static_cast<const std::uint8_t*>(map);
            m_size = static_cast<std::size_t>(info.st_size);
            m_mapped = true;
            return;
        }
    }
    m_copy =
        readDescriptor(fd.get(), path, S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0);
    m_data = m_copy.data();
    m_size = m_copy.size();
}

FileBytes::~FileBytes()
{
    if (m_mapped)
        ::munmap(const_cast<std::uint8_t*>(m_data), m_size);
}

Bytes readWholeFile(const std::string& path)
{
    struct stat info {};
    FileDescriptor fd(openForReading(path, info));
    return readDescriptor(fd.get(), path, S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) : 0);
}

namespace {

// The file a save replaces: a symbolic link's target, so the link survives the rename.
std::string replacedFile(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* resolved = ::realpath(path.c_str(), nullptr)) {
            std::string target(resolved);
            std::free(resolved);
            return target;
        }
    }
    return path;
}

// The replacement keeps the permissions of the file it replaces; a new file gets the usual
// ones (mkstemp would leave it private).
mode_t replacementMode(const std::string& path)
{
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

void writeFileAtomically(const std::string& requestedPath, const std::function<void(int)>& writer)
{
    const std::string path = replacedFile(requestedPath);
    std::string temporary = path + ".vask-XXXXXX";
    FileDescriptor fd(::mkstemp(temporary.data()));
    if (fd.get() < 0)
        throw ImageError("The file " + path + " cannot be written: " + systemReason() + ".");
    auto discard = [&] {
        if (fd.get() >= 0)
            ::close(fd.release());
        ::unlink(temporary.c_str());
    };
    try {
        writer(fd.get());
    } catch (const ImageError& e) {
        discard();
        const std::string what = e.what();
        throw ImageError(
            what.find(path) != std::string::npos ? what : "The file " + path + " cannot be written: " + what);
    } catch (...) {
        discard();
        throw;
    }
    ::fchmod(fd.get(), replacementMode(path));
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

void writeFileAtomically(const std::string& path, ByteSpan bytes)
{
    writeFileAtomically(path, [&](int fd) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                throw ImageError(systemReason() + ".");
            done += static_cast<std::size_t>(n);
        }
    });
}

} // namespace vask
