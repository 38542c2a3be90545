#pragma once

#include <cstdio>
#include <string>
#include <string_view>

// Byte streams the sequence file reader and writer work on. The reader sees
// a file as a text-mode read does: a CR LF pair arrives as a single LF, every
// other byte as it is. Tests feed the reader from memory; the programs feed it
// from disk.
class TextInput
{
public:
    virtual ~TextInput() = default;

    // The next byte, 0..255, or EOF once the end has been reached.
    int GetChar();
    // True once a read has run into the end.
    bool AtEnd() const { return m_atEnd; }

protected:
    // The next raw byte, or EOF.
    virtual int ReadByte() = 0;

private:
    int m_pending = EOF;
    bool m_hasPending = false;
    bool m_atEnd = false;
};

class MemoryTextInput final : public TextInput
{
public:
    explicit MemoryTextInput(std::string_view bytes)
        : m_bytes(bytes)
    {
    }

protected:
    int ReadByte() override;

private:
    std::string_view m_bytes;
    std::size_t m_position = 0;
};

class FileTextInput final : public TextInput
{
public:
    FileTextInput() = default;
    ~FileTextInput() override;
    FileTextInput(const FileTextInput &) = delete;
    FileTextInput &operator=(const FileTextInput &) = delete;

    // Opens the file at the given local path; false if it cannot be opened.
    bool Open(const std::string &path);

protected:
    int ReadByte() override;

private:
    std::FILE *m_file = nullptr;
};

class TextOutput
{
public:
    virtual ~TextOutput() = default;
    virtual void Write(std::string_view text) = 0;
};

class StringTextOutput final : public TextOutput
{
public:
    void Write(std::string_view text) override { m_text.append(text); }
    const std::string &Text() const { return m_text; }

private:
    std::string m_text;
};
