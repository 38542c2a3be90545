#include "display/fitted_device.h"

#include "core/constants.h"
#include "display/led_painter.h"

#include <QRectF>

#include <algorithm>
#include <cmath>

namespace
{

int PixelsFor(int side, qreal devicePixelRatio)
{
    return std::clamp(static_cast<int>(std::lround(side * devicePixelRatio)), 1, DEVICE_PICTURE_SIZE);
}

} // namespace

FittedDevice::FittedDevice(const DeviceBitmaps &bitmaps, int side, qreal devicePixelRatio)
    : m_side(side)
    , m_devicePixelRatio(devicePixelRatio)
    , m_scaler(DEVICE_PICTURE_SIZE, PixelsFor(side, devicePixelRatio))
    , m_device(m_scaler)
{
    TakeStepPictures(m_device, bitmaps);
    const int pixels = m_scaler.TargetSize();
    m_image = QImage(reinterpret_cast<const uchar *>(m_device.Pixels()), pixels, pixels,
        static_cast<qsizetype>(pixels) * 4, QImage::Format_RGB32);
    m_image.setDevicePixelRatio(static_cast<qreal>(pixels) / side);
}

bool FittedDevice::Fits(int side, qreal devicePixelRatio) const
{
    return side == m_side && devicePixelRatio == m_devicePixelRatio;
}

QRect FittedDevice::SetStep(int led, int step)
{
    m_changed.clear();
    m_device.SetStep(led, step, m_changed);
    if (m_changed.empty())
        return QRect();
    int left = m_changed.front().left, right = m_changed.front().right;
    int top = m_changed.front().y, bottom = top + 1;
    for (const PixelRun &run : m_changed) {
        left = std::min(left, run.left);
        right = std::max(right, run.right);
        top = std::min(top, run.y);
        bottom = std::max(bottom, run.y + 1);
    }
    const qreal ratio = m_image.devicePixelRatio();
    return QRectF(left / ratio, top / ratio, (right - left) / ratio, (bottom - top) / ratio).toAlignedRect();
}
