#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// An output file, written piece by piece and with seeks, as an encoder
// writes. Its name is taken as the bytes the system gives: a name from the
// command line as it is, a QString through QFile::encodeName (Qt reads a
// name as UTF-8 and would turn one that is not into another).
// A regular file, or a new one, is written as QSaveFile writes one: into a
// temporary file of a unique name beside it that takes its place only when
// committed, with the file's mode kept and, for a symbolic link, the link
// kept and its target replaced. What is not a regular file (a pipe, a
// device) is written into directly. An existing file in a folder that takes
// no new files is collected in memory and written over the file at the
// commit, through RewriteFileInPlace, which puts the old bytes back when the
// write fails. Dropped uncommitted, the temporary file goes away and the
// target stays as it was.
// Standard C++ and POSIX only, so that programs and modules without Qt
// write their outputs the same way.
class OutputFile
{
public:
    explicit OutputFile(std::string path);
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    bool Open();
    bool Write(const void *data, std::size_t size);
    // Moves to offset from whence (SEEK_SET, SEEK_CUR or SEEK_END); the new
    // position, or -1.
    std::int64_t Seek(std::int64_t offset, int whence);
    // The bytes written so far, or -1.
    std::int64_t Size() const;
    // A pipe or the like, which takes no seeks.
    bool IsSequential() const;
    // Finishes the file; false when any of it could not be written.
    bool Commit();
    // Why the file could not be written, once it could not: a sentence, and
    // the errno it comes from.
    const std::string &Error() const { return m_error; }
    int ErrorNumber() const { return m_errorNumber; }

private:
    bool Fail(int error);
    bool OpenDirectly(const std::string &path);
    bool OpenInPlace(const std::string &path);
    bool CommitReplacement();
    bool CommitInPlace();

    std::string m_path;
    // The file the temporary one replaces, and the temporary one; both empty
    // when the file is written directly.
    std::string m_target;
    std::string m_temporary;
    int m_file = -1;
    // The content of a file written in place, and the position in it.
    bool m_inPlace = false;
    std::string m_content;
    std::size_t m_position = 0;
    std::string m_error;
    int m_errorNumber = 0;
};

// Writes size bytes into the file at path as OutputFile does. Returns an
// empty string, or a sentence that says why the file was not written.
std::string WriteOutputFile(const std::string &path, const void *data, std::size_t size);
