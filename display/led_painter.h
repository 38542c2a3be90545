#pragma once

#include "core/constants.h"

#include <QPoint>

#include <array>
#include <cstdint>

class DeviceBitmaps;
class QImage;
class QPainter;

// The ten LED levels of the device, 0..MAX_LED_LEVEL, in LED order.
using LedLevels = std::array<std::uint8_t, LED_COUNT>;

// Paints LED k at the brightness of level: the frame of its brightness step,
// copied only through its position's shape rectangles, onto the picture
// whose top-left corner is at origin. Paints nothing while the bitmaps are
// not built. This is how the simulated device shows a change of one LED.
void PaintLed(QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, int led, int level);

// Paints the whole simulated device: the background, then LEDs 0..9 in turn.
void PaintDevice(QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, const LedLevels &levels);

// The simulated device alone, DEVICE_PICTURE_SIZE pixels square, painted as
// PaintDevice paints it; black while the bitmaps are not built.
QImage RenderDevice(const DeviceBitmaps &bitmaps, const LedLevels &levels);
