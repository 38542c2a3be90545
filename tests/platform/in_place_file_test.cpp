#include "platform/in_place_file.h"

#include "../small_disk.h"

#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <fstream>

namespace
{

// A write as an ordinary user, who has no rights on a file of mode 0444, or
// with a limit on the file size, which makes writes fail as a full disk does.
int Rewrite(const std::string &path, const std::string &content, bool asUser, rlim_t sizeLimit)
{
    const uid_t user = setfsuid(asUser && geteuid() == 0 ? 65534 : geteuid());
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small { sizeLimit, limit.rlim_max };
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    if (sizeLimit != RLIM_INFINITY)
        setrlimit(RLIMIT_FSIZE, &small);
    const int error = RewriteFileInPlace(path, content.data(), content.size());
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, oldHandler);
    setfsuid(user);
    return error;
}

} // namespace

// Whatever fails, the file holds exactly what it held.
TEST(InPlaceFile, WritesTheNewContentOrLeavesTheOldAsItWas)
{
    SmallDisk disk;
    if (!disk.Error().empty())
        GTEST_SKIP() << disk.Error();
    const std::string old(100, 'o');
    const std::string longer(3 * 4096, 'n');
    struct Case {
        const char *name;
        bool exists;
        std::string content;
        bool fullDisk;
        bool asUser;
        rlim_t sizeLimit;
        int error;
    };
    const Case cases[] = {
        { "longer", true, longer, false, false, RLIM_INFINITY, 0 },
        { "shorter", true, "new", false, false, RLIM_INFINITY, 0 },
        { "empty", true, "", false, false, RLIM_INFINITY, 0 },
        { "disk full", true, longer, true, false, RLIM_INFINITY, ENOSPC },
        { "file size limit", true, longer, false, false, 1000, EFBIG },
        { "no rights", true, "new", false, true, RLIM_INFINITY, EACCES },
        { "missing", false, "new", false, false, RLIM_INFINITY, ENOENT },
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        const std::string path = disk.Path() + "/file.lsq";
        if (test.exists) {
            std::ofstream(path, std::ios::binary) << old;
            chmod(path.c_str(), test.asUser ? 0444 : 0644);
        }
        if (test.fullDisk)
            disk.Fill();
        EXPECT_EQ(Rewrite(path, test.content, test.asUser, test.sizeLimit), test.error);
        if (test.exists) {
            EXPECT_EQ(FileContent(path), test.error == 0 ? test.content : old);
        }
        disk.Free();
        unlink(path.c_str());
    }
}
