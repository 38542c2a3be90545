#include "platform/output_file.h"

#include "platform/in_place_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>
#include <utility>

namespace
{

constexpr mode_t NEW_FILE_MODE = 0666;
constexpr int NAME_TRIES = 100;
constexpr char NAME_CHARACTERS[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int NAME_RANDOM_LENGTH = 6;

// The file a write replaces: for a symbolic link its final target, so that
// the link stays. Empty for a link that points nowhere yet.
std::string ReplacedFile(const std::string &path)
{
    char *target = ::realpath(path.c_str(), nullptr);
    if (target) {
        const std::string resolved(target);
        std::free(target);
        return resolved;
    }
    struct stat link = {};
    return ::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) ? std::string() : path;
}

// A new file of a unique name beside target, made as any new file is, its
// mode NEW_FILE_MODE less the umask; -1, with errno, when none can be made.
int CreateBeside(const std::string &target, std::string &name)
{
    std::random_device random;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof NAME_CHARACTERS - 2);
    for (int attempt = 0; attempt < NAME_TRIES; ++attempt) {
        name = target + '.';
        for (int i = 0; i < NAME_RANDOM_LENGTH; ++i)
            name += NAME_CHARACTERS[pick(random)];
        const int file = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, NEW_FILE_MODE);
        if (file >= 0 || errno != EEXIST)
            return file;
    }
    return -1;
}

} // namespace

OutputFile::OutputFile(std::string path)
    : m_path(std::move(path))
{
}

OutputFile::~OutputFile()
{
    if (m_file >= 0)
        ::close(m_file);
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
}

bool OutputFile::Fail(int error)
{
    if (m_error.empty()) {
        m_error = "cannot write " + m_path + ": " + std::strerror(error);
        m_errorNumber = error;
    }
    return false;
}

bool OutputFile::OpenDirectly(const std::string &path)
{
    m_file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, NEW_FILE_MODE);
    return m_file >= 0 || Fail(errno);
}

bool OutputFile::OpenInPlace(const std::string &path)
{
    // Opened once to learn now, not at the commit, that it may be written.
    const int file = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (file < 0)
        return Fail(errno);
    ::close(file);
    m_inPlace = true;
    m_target = path;
    return true;
}

bool OutputFile::Open()
{
    const std::string target = ReplacedFile(m_path);
    struct stat existing = {};
    const bool exists = !target.empty() && ::stat(target.c_str(), &existing) == 0;
    if (target.empty() || (exists && !S_ISREG(existing.st_mode)))
        return OpenDirectly(m_path);
    std::string temporary;
    const int file = CreateBeside(target, temporary);
    if (file < 0)
        return exists && (errno == EACCES || errno == EPERM) ? OpenInPlace(target) : Fail(errno);
    m_file = file;
    m_target = target;
    m_temporary = temporary;
    return !exists || ::fchmod(m_file, existing.st_mode & 07777) == 0 || Fail(errno);
}

bool OutputFile::Write(const void *data, std::size_t size)
{
    const auto *bytes = static_cast<const char *>(data);
    if (m_inPlace && m_error.empty()) {
        if (m_content.size() < m_position + size)
            m_content.resize(m_position + size);
        m_content.replace(m_position, size, bytes, size);
        m_position += size;
        return true;
    }
    while (m_error.empty() && size > 0) {
        const ssize_t written = ::write(m_file, bytes, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return Fail(written == 0 ? EIO : errno);
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return m_error.empty();
}

std::int64_t OutputFile::Seek(std::int64_t offset, int whence)
{
    if (m_inPlace) {
        const std::int64_t base = whence == SEEK_SET ? 0
            : whence == SEEK_CUR                     ? static_cast<std::int64_t>(m_position)
                                                     : static_cast<std::int64_t>(m_content.size());
        if (base + offset < 0) {
            Fail(EINVAL);
            return -1;
        }
        m_position = static_cast<std::size_t>(base + offset);
        return base + offset;
    }
    const off_t position = ::lseek(m_file, static_cast<off_t>(offset), whence);
    if (position < 0)
        Fail(errno);
    return position;
}

std::int64_t OutputFile::Size() const
{
    if (m_inPlace)
        return static_cast<std::int64_t>(m_content.size());
    struct stat file = {};
    return ::fstat(m_file, &file) == 0 ? file.st_size : -1;
}

bool OutputFile::IsSequential() const
{
    return !m_inPlace && ::lseek(m_file, 0, SEEK_CUR) < 0;
}

bool OutputFile::Commit()
{
    if (m_inPlace)
        return CommitInPlace();
    if (m_file < 0)
        return Fail(EBADF);
    if (!m_temporary.empty())
        return CommitReplacement();
    const int closed = ::close(std::exchange(m_file, -1));
    return (closed == 0 || Fail(errno)) && m_error.empty();
}

bool OutputFile::CommitReplacement()
{
    if (m_error.empty() && ::fsync(m_file) != 0)
        Fail(errno);
    if (::close(std::exchange(m_file, -1)) != 0)
        Fail(errno);
    if (m_error.empty() && ::rename(m_temporary.c_str(), m_target.c_str()) != 0)
        Fail(errno);
    if (!m_error.empty())
        return false;
    m_temporary.clear();
    return true;
}

bool OutputFile::CommitInPlace()
{
    if (!m_error.empty())
        return false;
    const int error = RewriteFileInPlace(m_target, m_content.data(), m_content.size());
    return error == 0 || Fail(error);
}

std::string WriteOutputFile(const std::string &path, const void *data, std::size_t size)
{
    OutputFile file(path);
    if (file.Open() && file.Write(data, size))
        file.Commit();
    return file.Error();
}
