#include "display/device_bundle.h"

#include "display/bundle_reader.h"

#include <QFile>

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

bool DeviceBundle::Open(const QString &path)
{
    *this = DeviceBundle();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(MAX_BUNDLE_BYTES))
        return false;
    const QByteArray bytes = file.readAll();
    BundleEntries entries;
    if (file.error() != QFileDevice::NoError
        || !ReadBundleEntries(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
            static_cast<std::size_t>(bytes.size()), entries))
        return false;
    m_devicePicture = EntryBytes(entries, DEVICE_PICTURE_ENTRY);
    m_splashPicture = EntryBytes(entries, SPLASH_PICTURE_ENTRY);
    m_open = true;
    return true;
}

QImage DeviceBundle::SplashPicture() const
{
    return QImage::fromData(m_splashPicture);
}
