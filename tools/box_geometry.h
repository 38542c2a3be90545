#pragma once

#include "tools/led_areas.h"

#include <QColor>
#include <QRectF>

// The VELTOR box as the device pictures draw it: a rounded square around the
// hub, standing out of the desk by its height.
inline constexpr double BOX_HALF = 336.0;
inline constexpr double BOX_CORNER = 64.0;
inline constexpr double BOX_HEIGHT = 16.0;

// The box's face, inset by some pixels.
inline QRectF BoxRect(double inset = 0.0)
{
    const double half = BOX_HALF - inset;
    return QRectF(HUB_X - half, HUB_Y - half, 2 * half, 2 * half);
}

// The light of a lit LED: a warm amber.
inline const QColor LED_LIGHT(255, 150, 36);
