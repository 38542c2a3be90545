#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <string>
#include <utility>

// The entries of the device picture and the splash picture in a bundle.
inline constexpr char DEVICE_PICTURE_ENTRY[] = "RAWDATA/IDX_PMB";
inline constexpr char SPLASH_PICTURE_ENTRY[] = "BITMAP/101";

// The device bundle: a Qt binary resource file that gives the device its look,
// the device picture (RAWDATA/IDX_PMB: the off and the lit image) and the
// splash picture (BITMAP/101). Nothing in it is executed.
class DeviceBundle
{
public:
    // Reads the bundle file at path (as the bytes the system gives) whole,
    // letting go of one read before; false when it cannot be read or is not
    // a sound resource file, in which case nothing of it is kept.
    bool Open(const std::string &path);
    bool Open(const QString &path);
    bool IsOpen() const { return m_open; }

    // The device picture data; empty when the bundle has none.
    QByteArray DevicePicture() const { return m_devicePicture; }
    // The same, which the bundle then lets go of.
    QByteArray TakeDevicePicture() { return std::exchange(m_devicePicture, QByteArray()); }
    // The splash picture; a null image when the bundle has none.
    QImage SplashPicture() const;

private:
    bool m_open = false;
    QByteArray m_devicePicture;
    QByteArray m_splashPicture;
};
