#include "platform/in_place_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

namespace
{

// Closes the file on every way out; a close that fails is an error too.
class OpenFile
{
public:
    explicit OpenFile(const std::string &path)
        : m_file(::open(path.c_str(), O_RDWR | O_CLOEXEC))
    {
    }
    ~OpenFile()
    {
        if (m_file >= 0)
            ::close(m_file);
    }
    OpenFile(const OpenFile &) = delete;
    OpenFile &operator=(const OpenFile &) = delete;

    int Handle() const { return m_file; }
    int Close()
    {
        const int file = m_file;
        m_file = -1;
        return ::close(file) == 0 ? 0 : errno;
    }

private:
    int m_file;
};

// Repeats a read or write from offset `done` on until size bytes are done;
// 0, or the errno of a failure (EIO when nothing moves).
template <typename Transfer> int TransferAll(std::size_t size, Transfer transfer)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t moved = transfer(done);
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved <= 0)
            return moved == 0 ? EIO : errno;
        done += static_cast<std::size_t>(moved);
    }
    return 0;
}

int ReadAll(int file, std::vector<char> &bytes)
{
    struct stat status = {};
    if (::fstat(file, &status) != 0)
        return errno;
    bytes.resize(static_cast<std::size_t>(status.st_size));
    return TransferAll(bytes.size(), [&](std::size_t done) {
        return ::pread(file, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    });
}

int WriteAll(int file, const char *bytes, std::size_t size)
{
    return TransferAll(size, [&](std::size_t done) {
        return ::pwrite(file, bytes + done, size - done, static_cast<off_t>(done));
    });
}

// Takes the blocks the new content needs before any byte of the old is
// written over; a file system that cannot reserve them is written without.
int Reserve(int file, std::size_t oldSize, std::size_t newSize)
{
    if (newSize <= oldSize)
        return 0;
    const int error = ::posix_fallocate(file, 0, static_cast<off_t>(newSize));
    if (error == EOPNOTSUPP || error == EINVAL)
        return 0;
    if (error != 0 && ::ftruncate(file, static_cast<off_t>(oldSize)) != 0)
        return errno;
    return error;
}

int WriteContent(int file, const char *bytes, std::size_t size)
{
    if (const int error = WriteAll(file, bytes, size))
        return error;
    if (::ftruncate(file, static_cast<off_t>(size)) != 0 || ::fsync(file) != 0)
        return errno;
    return 0;
}

} // namespace

int RewriteFileInPlace(const std::string &path, const void *data, std::size_t size)
{
    OpenFile file(path);
    if (file.Handle() < 0)
        return errno;
    std::vector<char> old;
    if (const int error = ReadAll(file.Handle(), old))
        return error;
    int error = Reserve(file.Handle(), old.size(), size);
    if (error == 0)
        error = WriteContent(file.Handle(), static_cast<const char *>(data), size);
    if (error != 0) {
        // The old bytes fit: the blocks they took are still the file's.
        WriteContent(file.Handle(), old.data(), old.size());
        return error;
    }
    return file.Close();
}
