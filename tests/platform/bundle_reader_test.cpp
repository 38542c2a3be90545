#include "platform/bundle_reader.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace
{

std::vector<std::uint8_t> FileBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

TEST(BundleReader, ReadsStoredAndCompressedEntriesAndSurvivesEveryDamagedByte)
{
    const std::vector<std::uint8_t> pulsar = FileBytes(PEMBLO_SOURCE_DIR "/examples/001_veltor_pulsar.lsq");
    const std::vector<std::uint8_t> bundle = FileBytes(TEST_BUNDLE);
    BundleEntries entries;
    ASSERT_TRUE(ReadBundleEntries(bundle.data(), bundle.size(), entries));
    EXPECT_EQ(entries,
        (BundleEntries {
            { "stored/pulsar", pulsar }, { "packed/zlib", pulsar }, { "packed/zstd", pulsar } }));

    // Every byte changed in turn: no read outside the bundle (the sanitizer
    // build sees it), and most changes are noticed.
    int refused = 0;
    for (std::size_t at = 0; at < bundle.size(); ++at)
        for (const int change : { 0x01, 0x80, 0xFF }) {
            std::vector<std::uint8_t> damaged = bundle;
            damaged[at] = static_cast<std::uint8_t>(damaged[at] ^ change);
            refused += !ReadBundleEntries(damaged.data(), damaged.size(), entries);
        }
    EXPECT_GT(refused, static_cast<int>(bundle.size()));
    EXPECT_FALSE(ReadBundleEntries(bundle.data(), bundle.size() / 2, entries));
}

} // namespace
