#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// The device bundle: a Qt binary resource file that gives the device its look,
// the device picture (RAWDATA/IDX_PMB: the off and the lit image) and the
// splash picture (BITMAP/101). Nothing in it is executed.
class DeviceBundle
{
public:
    DeviceBundle();
    ~DeviceBundle();
    DeviceBundle(const DeviceBundle &) = delete;
    DeviceBundle &operator=(const DeviceBundle &) = delete;

    // Opens the bundle file at path, letting go of one opened before; false
    // when it is not a resource file.
    bool Open(const QString &path);
    bool IsOpen() const { return !m_path.isEmpty(); }

    // The device picture data; empty when the bundle has none.
    QByteArray DevicePicture() const;
    // The splash picture; a null image when the bundle has none.
    QImage SplashPicture() const;

private:
    void Close();
    QByteArray Entry(const char *name) const;

    QString m_root;
    QString m_path;
};
