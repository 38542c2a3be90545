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

    // Damage that crashed readers before is refused: tree or names moved, the
    // root's child count or first child changed, another magic.
    const std::size_t tree = std::size_t(bundle[8]) << 24 | bundle[9] << 16 | bundle[10] << 8 | bundle[11];
    const std::pair<std::size_t, std::uint8_t> known[]
        = { { 8, 0xC4 }, { 16, 0xA4 }, { tree + 6, 0x1B }, { tree + 10, 0xE5 }, { 0, 'Q' } };
    for (const auto &[at, value] : known) {
        std::vector<std::uint8_t> damaged = bundle;
        damaged[at] = value;
        EXPECT_FALSE(ReadBundleEntries(damaged.data(), damaged.size(), entries)) << at;
    }
}

} // namespace
