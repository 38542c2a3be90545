#include "platform/bundle_reader.h"

#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <utility>

// The layout, all numbers big-endian: a header ("qres", version 1 to 3, the
// offsets of the tree, the data and the names, from version 3 on a flags
// word), then three areas. The tree is an array of nodes, node 0 the root
// directory; a directory names the run of nodes that are its children, a
// file the offset of its data (a 32-bit length, then the bytes, zlib or
// zstd compressed when its flags say so). A name is a 16-bit length, a
// 32-bit hash and that many UTF-16 code units.

namespace
{

constexpr std::uint32_t FIRST_VERSION = 1;
constexpr std::uint32_t LAST_VERSION = 3;
constexpr std::size_t HEADER_SIZE = 20;
constexpr std::size_t NODE_SIZE_V1 = 14;
// From version 2 on each node also carries its file's modification time.
constexpr std::size_t NODE_SIZE = 22;
constexpr std::size_t NAME_HEADER_SIZE = 6;
// Far more than any bundle has; it bounds the work a damaged tree can cause.
constexpr std::size_t MAX_NODES = 4096;

constexpr std::uint16_t FLAG_ZLIB = 1;
constexpr std::uint16_t FLAG_DIRECTORY = 2;
constexpr std::uint16_t FLAG_ZSTD = 4;

// The bundle's bytes, read only where they are.
class Bytes
{
public:
    Bytes(const std::uint8_t *data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool Has(std::uint64_t at, std::uint64_t count) const { return at <= m_size && count <= m_size - at; }
    const std::uint8_t *At(std::uint64_t at) const { return m_data + at; }

    bool Read16(std::uint64_t at, std::uint16_t &value) const
    {
        if (!Has(at, 2))
            return false;
        value = static_cast<std::uint16_t>(m_data[at] << 8 | m_data[at + 1]);
        return true;
    }

    bool Read32(std::uint64_t at, std::uint32_t &value) const
    {
        std::uint16_t high = 0;
        std::uint16_t low = 0;
        if (!Read16(at, high) || !Read16(at + 2, low))
            return false;
        value = static_cast<std::uint32_t>(high) << 16 | low;
        return true;
    }

private:
    const std::uint8_t *m_data;
    std::size_t m_size;
};

void AppendUtf8(std::string &text, std::uint32_t code)
{
    if (code < 0x80) {
        text += static_cast<char>(code);
        return;
    }
    if (code < 0x800) {
        text += static_cast<char>(0xC0 | code >> 6);
    } else {
        if (code < 0x10000) {
            text += static_cast<char>(0xE0 | code >> 12);
        } else {
            text += static_cast<char>(0xF0 | code >> 18);
            text += static_cast<char>(0x80 | (code >> 12 & 0x3F));
        }
        text += static_cast<char>(0x80 | (code >> 6 & 0x3F));
    }
    text += static_cast<char>(0x80 | (code & 0x3F));
}

// The bundle's UTF-16 code units as UTF-8; false for a broken surrogate pair.
bool Utf16ToUtf8(const std::vector<std::uint16_t> &units, std::string &text)
{
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::uint32_t unit = units[i];
        if (unit < 0xD800 || unit > 0xDFFF) {
            AppendUtf8(text, unit);
            continue;
        }
        if (unit > 0xDBFF || i + 1 == units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF)
            return false;
        AppendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (units[++i] - 0xDC00));
    }
    return true;
}

enum class Progress { More, End, Fault };

// Decompresses into out in chunks, never past expected + 1 bytes, so that a
// damaged length costs no more memory than the data really gives. step
// decompresses into the room it is given, says how much it wrote and
// gives Fault when it cannot go on.
template <typename Step> bool Decompress(std::size_t expected, std::vector<std::uint8_t> &out, Step step)
{
    constexpr std::size_t CHUNK = 1u << 16;
    // Room that is only reserved takes no memory until it is written, and
    // the chunks then never move what came before.
    out.reserve(expected + 1);
    Progress progress = Progress::More;
    while (progress == Progress::More && out.size() <= expected) {
        const std::size_t done = out.size();
        out.resize(std::min(done + CHUNK, expected + 1));
        std::size_t written = 0;
        progress = step(out.data() + done, out.size() - done, written);
        out.resize(done + written);
    }
    return progress == Progress::End && out.size() == expected;
}

// zlib data behind its uncompressed length.
bool Inflate(const std::uint8_t *in, std::size_t size, std::size_t budget, std::vector<std::uint8_t> &out)
{
    std::uint32_t expected = 0;
    z_stream stream {};
    if (!Bytes(in, size).Read32(0, expected) || expected > budget || inflateInit(&stream) != Z_OK)
        return false;
    stream.next_in = const_cast<Bytef *>(in + 4);
    stream.avail_in = static_cast<uInt>(size - 4);
    const bool whole = Decompress(
        expected, out, [&stream](std::uint8_t *room, std::size_t length, std::size_t &written) {
            stream.next_out = room;
            stream.avail_out = static_cast<uInt>(length);
            const int status = inflate(&stream, Z_NO_FLUSH);
            written = length - stream.avail_out;
            return status == Z_STREAM_END ? Progress::End : status == Z_OK ? Progress::More : Progress::Fault;
        });
    inflateEnd(&stream);
    return whole && stream.avail_in == 0;
}

// One zstd frame that tells its uncompressed length.
bool ZstdDecompress(
    const std::uint8_t *in, std::size_t size, std::size_t budget, std::vector<std::uint8_t> &out)
{
    const unsigned long long expected = ZSTD_getFrameContentSize(in, size);
    if (expected == ZSTD_CONTENTSIZE_UNKNOWN || expected == ZSTD_CONTENTSIZE_ERROR || expected > budget)
        return false;
    ZSTD_DStream *stream = ZSTD_createDStream();
    ZSTD_inBuffer input { in, size, 0 };
    const bool whole = stream
        && Decompress(static_cast<std::size_t>(expected), out,
            [stream, &input](std::uint8_t *room, std::size_t length, std::size_t &written) {
                ZSTD_outBuffer output { room, length, 0 };
                const std::size_t consumed = input.pos;
                const std::size_t status = ZSTD_decompressStream(stream, &output, &input);
                written = output.pos;
                // A frame cut short takes no more input and gives no output.
                const bool stuck = output.pos == 0 && input.pos == consumed;
                return ZSTD_isError(status) || (status != 0 && stuck) ? Progress::Fault
                    : status == 0                                     ? Progress::End
                                                                      : Progress::More;
            });
    ZSTD_freeDStream(stream);
    return whole && input.pos == size;
}

bool Uncompress(const std::uint8_t *in, std::size_t size, std::uint16_t flags, std::size_t budget,
    std::vector<std::uint8_t> &out)
{
    if (flags == FLAG_ZLIB)
        return Inflate(in, size, budget, out);
    if (flags == FLAG_ZSTD)
        return ZstdDecompress(in, size, budget, out);
    out.assign(in, in + size);
    return size <= budget;
}

class BundleParser
{
public:
    BundleParser(const std::uint8_t *data, std::size_t size)
        : m_bytes(data, size)
    {
    }

    bool Read(BundleEntries &entries)
    {
        if (!ReadHeader())
            return false;
        std::vector<std::pair<std::uint32_t, std::string>> pending { { 0, std::string() } };
        while (!pending.empty()) {
            const auto [node, path] = std::move(pending.back());
            pending.pop_back();
            if (!ReadNode(node, path, pending, entries))
                return false;
        }
        return true;
    }

private:
    bool ReadHeader()
    {
        std::uint32_t version = 0;
        if (!m_bytes.Has(0, HEADER_SIZE)
            || std::string(reinterpret_cast<const char *>(m_bytes.At(0)), 4) != "qres"
            || !m_bytes.Read32(4, version) || version < FIRST_VERSION || version > LAST_VERSION)
            return false;
        m_nodeSize = version == FIRST_VERSION ? NODE_SIZE_V1 : NODE_SIZE;
        return m_bytes.Read32(8, m_tree) && m_bytes.Read32(12, m_data) && m_bytes.Read32(16, m_names);
    }

    bool ReadNode(std::uint32_t node, const std::string &path,
        std::vector<std::pair<std::uint32_t, std::string>> &pending, BundleEntries &entries)
    {
        const std::uint64_t at = m_tree + static_cast<std::uint64_t>(node) * m_nodeSize;
        std::uint32_t nameOffset = 0;
        std::uint16_t flags = 0;
        std::uint32_t first = 0;
        std::uint32_t second = 0;
        if (!m_visited.insert(node).second || !m_bytes.Has(at, m_nodeSize) || !m_bytes.Read32(at, nameOffset)
            || !m_bytes.Read16(at + 4, flags) || !m_bytes.Read32(at + 6, first)
            || !m_bytes.Read32(at + 10, second))
            return false;
        // The root's name is never looked at.
        std::string name;
        if (node != 0 && !ReadName(nameOffset, name))
            return false;
        const std::string nodePath = path.empty() ? name : path + '/' + name;
        if (flags == FLAG_DIRECTORY) {
            // Every node is some directory's child only once, so a tree
            // never holds more children than nodes.
            m_children += first;
            if (m_children >= MAX_NODES || static_cast<std::uint64_t>(second) + first > MAX_NODES)
                return false;
            for (std::uint32_t child = second; child < second + first; ++child)
                pending.emplace_back(child, nodePath);
            return true;
        }
        if (node == 0 || (flags != 0 && flags != FLAG_ZLIB && flags != FLAG_ZSTD))
            return false;
        std::vector<std::uint8_t> content;
        if (!ReadData(second, flags, content) || entries.count(nodePath))
            return false;
        m_total += content.size();
        entries.emplace(nodePath, std::move(content));
        return true;
    }

    bool ReadName(std::uint32_t offset, std::string &name) const
    {
        const std::uint64_t at = static_cast<std::uint64_t>(m_names) + offset;
        std::uint16_t length = 0;
        if (!m_bytes.Read16(at, length) || !m_bytes.Has(at + NAME_HEADER_SIZE, 2u * length))
            return false;
        std::vector<std::uint16_t> units(length);
        for (std::uint16_t i = 0; i < length; ++i)
            m_bytes.Read16(at + NAME_HEADER_SIZE + 2u * i, units[i]);
        return length > 0 && Utf16ToUtf8(units, name) && name.find('/') == std::string::npos;
    }

    bool ReadData(std::uint32_t offset, std::uint16_t flags, std::vector<std::uint8_t> &content) const
    {
        const std::uint64_t at = static_cast<std::uint64_t>(m_data) + offset;
        std::uint32_t size = 0;
        if (!m_bytes.Read32(at, size) || !m_bytes.Has(at + 4, size))
            return false;
        return Uncompress(m_bytes.At(at + 4), size, flags, MAX_BUNDLE_BYTES - m_total, content);
    }

    Bytes m_bytes;
    std::size_t m_nodeSize = NODE_SIZE;
    std::uint32_t m_tree = 0;
    std::uint32_t m_data = 0;
    std::uint32_t m_names = 0;
    std::set<std::uint32_t> m_visited;
    std::uint64_t m_children = 0;
    std::size_t m_total = 0;
};

} // namespace

bool ReadBundleEntries(const std::uint8_t *data, std::size_t size, BundleEntries &entries)
{
    entries.clear();
    if (size <= MAX_BUNDLE_BYTES && BundleParser(data, size).Read(entries))
        return true;
    entries.clear();
    return false;
}

bool ReadBundleFile(const std::string &path, BundleEntries &entries)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0 || size > static_cast<std::streamoff>(MAX_BUNDLE_BYTES))
        return false;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    return file.seekg(0) && file.read(reinterpret_cast<char *>(bytes.data()), size)
        && ReadBundleEntries(bytes.data(), bytes.size(), entries);
}
