#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Reads the whole file; false when it cannot be read.
bool ReadBinaryFile(const std::string &path, std::vector<std::uint8_t> &bytes);

// Bytes read in order, with a way back to any offset read before.
class ByteInput
{
public:
    virtual ~ByteInput() = default;
    // Up to count bytes; fewer only at the end or on a read error.
    virtual std::size_t Read(std::uint8_t *bytes, std::size_t count) = 0;
    // Goes to offset from the start; false when there is no such offset.
    virtual bool Seek(std::uint64_t offset) = 0;
};

class MemoryInput : public ByteInput
{
public:
    MemoryInput(const std::uint8_t *bytes, std::size_t size)
        : m_bytes(bytes)
        , m_size(size)
    {
    }

    std::size_t Read(std::uint8_t *bytes, std::size_t count) override;
    bool Seek(std::uint64_t offset) override;

private:
    const std::uint8_t *m_bytes;
    std::size_t m_size;
    std::size_t m_position = 0;
};

// A file named by its path as the system gives it. What cannot seek (a
// pipe, a terminal) is copied into a temporary file as it is read, so that
// it can be read again.
class FileInput : public ByteInput
{
public:
    FileInput() = default;
    ~FileInput() override;
    FileInput(const FileInput &) = delete;
    FileInput &operator=(const FileInput &) = delete;

    // False when the file cannot be opened.
    bool Open(const std::string &path);

    std::size_t Read(std::uint8_t *bytes, std::size_t count) override;
    bool Seek(std::uint64_t offset) override;

private:
    // Copies up to count more bytes of the file into the spool.
    void Pull(std::uint64_t count);

    std::FILE *m_file = nullptr;
    std::FILE *m_spool = nullptr;
    std::uint64_t m_spooled = 0;
    std::uint64_t m_position = 0;
};
