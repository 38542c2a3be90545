#include "platform/output_file.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace
{

namespace fs = std::filesystem;

std::string Content(const fs::path &path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

} // namespace

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
            EXPECT_EQ(Content(path), "old");
            EXPECT_TRUE(!commit || file.Commit());
        }
        EXPECT_EQ(Content(path), commit ? "abXYef" : "old");
        EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
    }
    const std::string missing = (folder / "missing" / "out.mp4").string();
    EXPECT_EQ(WriteOutputFile(missing, "a", 1), "cannot write " + missing + ": No such file or directory");
    fs::remove_all(folder);
}
