#include "display/device_bundle.h"

#include <QAtomicInt>
#include <QResource>

namespace
{

constexpr char DEVICE_PICTURE_ENTRY[] = "RAWDATA/IDX_PMB";
constexpr char SPLASH_PICTURE_ENTRY[] = "BITMAP/101";

// Every open bundle gets a resource root of its own, so two bundles never
// hide each other's entries.
QString NewResourceRoot()
{
    static QAtomicInt counter;
    return QStringLiteral("/pemblo-device-%1").arg(counter.fetchAndAddRelaxed(1));
}

} // namespace

DeviceBundle::DeviceBundle()
    : m_root(NewResourceRoot())
{
}

DeviceBundle::~DeviceBundle()
{
    Close();
}

bool DeviceBundle::Open(const QString &path)
{
    Close();
    if (!QResource::registerResource(path, m_root))
        return false;
    m_path = path;
    return true;
}

void DeviceBundle::Close()
{
    if (IsOpen())
        QResource::unregisterResource(m_path, m_root);
    m_path.clear();
}

QByteArray DeviceBundle::Entry(const char *name) const
{
    if (!IsOpen())
        return {};
    const QResource entry(QLatin1Char(':') + m_root + QLatin1Char('/') + QLatin1String(name));
    return entry.isValid() ? entry.uncompressedData() : QByteArray();
}

QByteArray DeviceBundle::DevicePicture() const
{
    return Entry(DEVICE_PICTURE_ENTRY);
}

QImage DeviceBundle::SplashPicture() const
{
    return QImage::fromData(Entry(SPLASH_PICTURE_ENTRY));
}
