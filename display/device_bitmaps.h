#pragma once

#include "core/constants.h"
#include "display/display_format.h"

#include <QByteArray>
#include <QPixmap>

#include <array>

// The screen bitmaps the simulated device is painted from: the background,
// the whole off image, and the brightness frames, one per brightness step
// and LED position, each holding its position's bounds at that step. Made
// once; painting only copies them.
class DeviceBitmaps
{
public:
    // Builds every bitmap from device picture data (two images, off then
    // lit) in the format the display takes. Data that is not a whole device
    // picture builds nothing and keeps what was there: false.
    bool Build(const QByteArray &picture, const DisplayFormat &display);

    bool IsBuilt() const { return !m_background.isNull(); }
    // A null pixmap until a build succeeded.
    const QPixmap &Background() const { return m_background; }
    const QPixmap &Frame(int step, int position) const;

private:
    QPixmap m_background;
    std::array<QPixmap, BRIGHTNESS_FRAME_COUNT> m_frames;
};
