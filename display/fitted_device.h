#pragma once

#include "display/led_tables.h"
#include "display/picture_scaler.h"
#include "display/scaled_device.h"

#include <QImage>
#include <QRect>

#include <vector>

class DeviceBitmaps;

// The device picture scaled down to fit a view smaller than itself, built
// once for that size and then kept up to date LED by LED (ScaledDevice): a
// change of brightness copies ready pixels and converts nothing.
class FittedDevice
{
public:
    // Fits the picture into `side` logical pixels of a screen with the
    // device pixel ratio, with as many pixels as that holds, up to the
    // picture's own; the bitmaps must be built with their steps. Shows every
    // LED at step 0.
    FittedDevice(const DeviceBitmaps &bitmaps, int side, qreal devicePixelRatio);

    // Whether it was built for this side and ratio.
    bool Fits(int side, qreal devicePixelRatio) const;
    // The scaled picture, its device pixel ratio set: it covers `side`
    // logical pixels.
    const QImage &Image() const { return m_image; }
    // Shows LED k at the step; the logical rectangle, relative to the
    // picture, around the pixels that changed (empty when none did).
    QRect SetStep(int led, int step);

private:
    int m_side;
    qreal m_devicePixelRatio;
    PictureScaler m_scaler;
    ScaledDevice m_device;
    QImage m_image;
    std::vector<PixelRun> m_changed;
};
