#include "upload/binary_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace
{

bool WriteWhole(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    std::FILE *file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

bool ReadBinaryFile(const std::string &path, std::vector<std::uint8_t> &bytes)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteBinaryFile(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    // A device or pipe (/dev/stdout) is written as it is, never replaced.
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return WriteWhole(path, bytes);
    const std::string temporary = path + ".part";
    if (WriteWhole(temporary, bytes) && std::rename(temporary.c_str(), path.c_str()) == 0)
        return true;
    std::remove(temporary.c_str());
    return false;
}
