#include "platform/output_file.h"

#include "../small_disk.h"

#include <gtest/gtest.h>

#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

namespace fs = std::filesystem;

// Written in pieces with seeks back, as a video's index is; only a commit
// puts the file in place of what was there.
TEST(OutputFile, SeeksRewriteAndOnlyACommitReplacesTheFile)
{
    const fs::path folder = fs::temp_directory_path() / ("pemblo_output_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const fs::path path = folder / "out.mp4";
    std::ofstream(path) << "old";
    for (const bool commit : { false, true }) {
        {
            OutputFile file(path.string());
            ASSERT_TRUE(file.Open());
            EXPECT_TRUE(file.Write("abcdef", 6));
            EXPECT_EQ(file.Seek(2, SEEK_SET), 2);
            EXPECT_TRUE(file.Write("XY", 2));
            EXPECT_EQ(file.Seek(0, SEEK_END), 6);
            EXPECT_EQ(file.Size(), 6);
            EXPECT_FALSE(file.IsSequential());
            EXPECT_EQ(FileContent(path), "old");
            EXPECT_TRUE(!commit || file.Commit());
        }
        EXPECT_EQ(FileContent(path), commit ? "abXYef" : "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
    }
    const std::string missing = (folder / "missing" / "out.mp4").string();
    EXPECT_EQ(WriteOutputFile(missing, "a", 1), "cannot write " + missing + ": No such file or directory");
    fs::remove_all(folder);
}

// In a folder that takes no new file, the file is written in place at the
// commit: seeks and size as for any other, and on a full disk the old
// content stays.
TEST(OutputFile, AFileInALockedFolderIsWrittenInPlaceOrLeftAsItWas)
{
    SmallDisk disk;
    if (!disk.Error().empty())
        GTEST_SKIP() << disk.Error();
    const fs::path path = fs::path(disk.Path()) / "out.mp4";
    const std::string old(100, 'o');
    for (const bool fullDisk : { false, true }) {
        SCOPED_TRACE(fullDisk ? "full disk" : "room");
        std::ofstream(path) << old;
        fs::permissions(path, fs::perms::all);
        fs::permissions(disk.Path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
        if (fullDisk)
            disk.Fill();
        const uid_t user = setfsuid(geteuid() == 0 ? 65534 : geteuid());
        OutputFile file(path.string());
        const bool opened = file.Open();
        const bool written = file.Write(std::string(8192, 'a').data(), 8192) && file.Seek(2, SEEK_SET) == 2
            && file.Write("XY", 2) && file.Size() == 8192 && !file.IsSequential();
        const bool committed = file.Commit();
        setfsuid(user);
        EXPECT_TRUE(opened && written);
        EXPECT_EQ(committed, !fullDisk);
        EXPECT_EQ(file.ErrorNumber(), fullDisk ? ENOSPC : 0);
        EXPECT_EQ(FileContent(path), fullDisk ? old : "aaXY" + std::string(8188, 'a'));
        disk.Free();
        fs::permissions(disk.Path(), fs::perms::all);
    }
}

// What the target is stays what it was: a file keeps its mode, a link stays a
// link to a file that gets the content, a pipe is written into as it is.
TEST(OutputFile, KeepsTheModeTheLinkAndThePipeOfTheTarget)
{
    const fs::path folder = fs::temp_directory_path() / ("pemblo_output_kinds_" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / "file.gif";
    const fs::path link = folder / "link.gif";
    const fs::path pipe = folder / "pipe.gif";
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    std::ofstream(file) << "old";
    fs::permissions(file, mode);
    fs::create_symlink("file.gif", link);
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);

    // The pipe's reader, which a write into it waits for.
    std::string piped;
    std::thread reader([&] { piped = FileContent(pipe); });
    EXPECT_EQ(WriteOutputFile(pipe.string(), "through", 7), "");
    reader.join();
    EXPECT_EQ(piped, "through");
    EXPECT_TRUE(fs::is_fifo(pipe));

    EXPECT_EQ(WriteOutputFile(file.string(), "new", 3), "");
    EXPECT_EQ(FileContent(file), "new");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);

    EXPECT_EQ(WriteOutputFile(link.string(), "linked", 6), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FileContent(file), "linked");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);
    fs::remove_all(folder);
}
