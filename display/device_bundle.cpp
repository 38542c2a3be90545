#include "display/device_bundle.h"

#include "display/bundle_reader.h"

#include <QFile>

#include <fstream>
#include <vector>

namespace
{

constexpr char DEVICE_PICTURE_ENTRY[] = "RAWDATA/IDX_PMB";
constexpr char SPLASH_PICTURE_ENTRY[] = "BITMAP/101";

QByteArray EntryBytes(const BundleEntries &entries, const char *name)
{
    const auto it = entries.find(name);
    if (it == entries.end())
        return {};
    return QByteArray(
        reinterpret_cast<const char *>(it->second.data()), static_cast<qsizetype>(it->second.size()));
}

} // namespace

bool DeviceBundle::Open(const std::string &path)
{
    *this = DeviceBundle();
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0 || size > static_cast<std::streamoff>(MAX_BUNDLE_BYTES))
        return false;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    BundleEntries entries;
    if (!file.seekg(0) || !file.read(reinterpret_cast<char *>(bytes.data()), size)
        || !ReadBundleEntries(bytes.data(), bytes.size(), entries))
        return false;
    m_devicePicture = EntryBytes(entries, DEVICE_PICTURE_ENTRY);
    m_splashPicture = EntryBytes(entries, SPLASH_PICTURE_ENTRY);
    m_open = true;
    return true;
}

bool DeviceBundle::Open(const QString &path)
{
    return Open(QFile::encodeName(path).toStdString());
}

QImage DeviceBundle::SplashPicture() const
{
    return QImage::fromData(m_splashPicture);
}
