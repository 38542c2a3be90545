#include "upload/binary_file.h"

#include <sys/types.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace
{

constexpr std::size_t CHUNK = 1 << 16;

} // namespace

bool ReadBinaryFile(const std::string &path, std::vector<std::uint8_t> &bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::size_t MemoryInput::Read(std::uint8_t *bytes, std::size_t count)
{
    const std::size_t taken = std::min(count, m_size - m_position);
    std::copy(m_bytes + m_position, m_bytes + m_position + taken, bytes);
    m_position += taken;
    return taken;
}

bool MemoryInput::Seek(std::uint64_t offset)
{
    if (offset > m_size)
        return false;
    m_position = static_cast<std::size_t>(offset);
    return true;
}

FileInput::~FileInput()
{
    if (m_spool)
        std::fclose(m_spool);
    if (m_file)
        std::fclose(m_file);
}

bool FileInput::Open(const std::string &path)
{
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        return false;
    if (fseeko(m_file, 0, SEEK_CUR) != 0) {
        m_spool = std::tmpfile();
        return m_spool != nullptr;
    }
    return true;
}

std::size_t FileInput::Read(std::uint8_t *bytes, std::size_t count)
{
    if (!m_spool)
        return std::fread(bytes, 1, count, m_file);
    if (m_position + count > m_spooled)
        Pull(m_position + count - m_spooled);
    if (fseeko(m_spool, static_cast<off_t>(m_position), SEEK_SET) != 0)
        return 0;
    const std::size_t got = std::fread(bytes, 1, count, m_spool);
    m_position += got;
    return got;
}

bool FileInput::Seek(std::uint64_t offset)
{
    if (!m_spool)
        return fseeko(m_file, static_cast<off_t>(offset), SEEK_SET) == 0;
    if (offset > m_spooled)
        Pull(offset - m_spooled);
    if (offset > m_spooled)
        return false;
    m_position = offset;
    return true;
}

void FileInput::Pull(std::uint64_t count)
{
    std::vector<std::uint8_t> chunk(CHUNK);
    if (fseeko(m_spool, 0, SEEK_END) != 0)
        return;
    while (count > 0) {
        const std::size_t got = std::fread(chunk.data(), 1, std::min<std::uint64_t>(count, CHUNK), m_file);
        if (got == 0 || std::fwrite(chunk.data(), 1, got, m_spool) != got)
            return;
        m_spooled += got;
        count -= got;
    }
}
