#include "core/text_stream.h"

#include <sys/stat.h>

int TextInput::GetChar()
{
    int c;
    if (m_hasPending) {
        c = m_pending;
        m_hasPending = false;
    } else {
        c = ReadByte();
    }
    if (c == '\r') {
        const int next = ReadByte();
        if (next == '\n')
            c = next;
        else {
            m_pending = next;
            m_hasPending = true;
        }
    }
    if (c == EOF)
        m_atEnd = true;
    return c;
}

int MemoryTextInput::ReadByte()
{
    if (m_position >= m_bytes.size())
        return EOF;
    return static_cast<unsigned char>(m_bytes[m_position++]);
}

FileTextInput::~FileTextInput()
{
    if (m_file)
        std::fclose(m_file);
}

bool FileTextInput::Open(const std::string &path)
{
    if (m_file)
        std::fclose(m_file);
    m_file = std::fopen(path.c_str(), "rb");
    // A directory opens as a stream on this platform, but it is no file.
    struct stat info {
    };
    if (m_file && (fstat(fileno(m_file), &info) != 0 || S_ISDIR(info.st_mode))) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    return m_file != nullptr;
}

int FileTextInput::ReadByte()
{
    return m_file ? std::getc(m_file) : EOF;
}
