#pragma once

// A small tmpfs of its own, for tests of what a full disk does: mounted in a
// fresh folder when the test may mount (it runs as root), gone with the
// object. Fill() takes all of its room. FileContent() tells what a write
// left behind.

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

class SmallDisk
{
public:
    static constexpr char SIZE[] = "size=64k";

    SmallDisk()
    {
        char folder[] = "/tmp/pemblo_disk_XXXXXX";
        if (::mkdtemp(folder) == nullptr) {
            m_error = std::strerror(errno);
            return;
        }
        m_path = folder;
        if (::mount("tmpfs", folder, "tmpfs", 0, SIZE) != 0)
            m_error = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
        else
            ::chmod(folder, 0777);
    }
    ~SmallDisk()
    {
        if (m_error.empty())
            ::umount(m_path.c_str());
        if (!m_path.empty())
            ::rmdir(m_path.c_str());
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    // Empty when mounted, else why not.
    const std::string &Error() const { return m_error; }
    const std::string &Path() const { return m_path; }

    void Fill() const
    {
        std::ofstream filler(m_path + "/filler", std::ios::binary | std::ios::app);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())) && filler.flush()) { }
    }
    void Free() const { ::unlink((m_path + "/filler").c_str()); }

private:
    std::string m_path;
    std::string m_error;
};

inline std::string FileContent(const std::string &path)
{
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}
