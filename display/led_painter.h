#pragma once

#include <QPoint>

#include <vector>

#include "display/led_tables.h"

class DeviceBitmaps;
class QImage;
class QPainter;
class QRegion;
class ScaledDevice;

// Paints LED k at the brightness of level: its step's pixels, copied only
// through its position's shape areas, onto the picture whose top-left corner
// is at origin, and only within region. Paints nothing while the bitmaps are
// not built. This is how the simulated device shows a change of one LED.
//
// Each part is copied under a clip of one rectangle: Qt copies such a part
// in one go, where under a clip of many rectangles it spreads the rows over
// threads and waits for them, which wakes the program several times a paint.
void PaintLed(QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, int led, int level,
    const QRegion &region);

// Paints the pieces of LED k that wanted marks (of FramePieces()) at the
// brightness step of level, whole, each under a clip of its own rectangle.
// Pieces one below the other whose pixels lie one below the other in a
// pixmap are copied in one go.
void PaintPieces(QPainter &painter, QPoint origin, const DeviceBitmaps &bitmaps, int led, int level,
    const std::vector<bool> &wanted);

// The simulated device alone, DEVICE_PICTURE_SIZE pixels square, as a full
// paint of the simulation view shows it: the background, then LEDs 0..9 in
// turn at levels; black while the bitmaps are not built.
QImage RenderDevice(const DeviceBitmaps &bitmaps, const LedLevels &levels);

// Gives the scaled device its pictures of every LED at each brightness step,
// painted as RenderDevice paints them.
void TakeStepPictures(ScaledDevice &device, const DeviceBitmaps &bitmaps);
