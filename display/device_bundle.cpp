#include "display/device_bundle.h"

#include "platform/bundle_reader.h"

#include <QFile>

#include <vector>

namespace
{

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
    BundleEntries entries;
    if (!ReadBundleFile(path, entries))
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
