#include "cli/output_file.h"

#include "cli/cli_command.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

std::string Failure(const std::string &path, int error)
{
    return "cannot write " + path + ": " + std::strerror(error);
}

bool WriteAll(int file, const char *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(file, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            errno = written == 0 ? EIO : errno;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

std::string WriteDirectly(const std::string &path, const char *data, std::size_t size)
{
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0)
        return Failure(path, errno);
    const bool written = WriteAll(file, data, size);
    const int error = errno;
    if (::close(file) != 0 && written)
        return Failure(path, errno);
    return written ? std::string() : Failure(path, error);
}

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

// Writes into the new temporary file and puts it in place of target; 0 or
// the error that stopped it, having removed the temporary file.
int Replace(const std::string &target, int file, const std::string &temporary, mode_t mode, const char *data,
    std::size_t size)
{
    int error = 0;
    if (::fchmod(file, mode) != 0 || !WriteAll(file, data, size) || ::fsync(file) != 0)
        error = errno;
    if (::close(file) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.c_str());
    return error;
}

mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

std::string WriteOutputFile(const std::string &path, const char *data, std::size_t size)
{
    const std::string target = ReplacedFile(path);
    struct stat existing = {};
    const bool exists = !target.empty() && ::stat(target.c_str(), &existing) == 0;
    if (target.empty() || (exists && !S_ISREG(existing.st_mode)))
        return WriteDirectly(path, data, size);

    std::string temporary = target + ".XXXXXX";
    const int file = ::mkstemp(temporary.data());
    if (file < 0)
        return exists && (errno == EACCES || errno == EPERM) ? WriteDirectly(target, data, size)
                                                             : Failure(path, errno);
    const int error
        = Replace(target, file, temporary, exists ? existing.st_mode & 07777 : NewFileMode(), data, size);
    return error == 0 ? std::string() : Failure(path, error);
}

int CheckStandardOutput(int exitCode)
{
    const bool flushed = std::fflush(stdout) == 0;
    const int error = errno;
    if (flushed && !std::ferror(stdout))
        return exitCode;
    std::fprintf(stderr, "pemblo-cli: cannot write the output%s%s\n", flushed ? "" : ": ",
        flushed ? "" : std::strerror(error));
    return exitCode == 0 ? EXIT_FAILED : exitCode;
}
