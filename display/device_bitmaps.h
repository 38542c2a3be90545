#pragma once

#include "display/device_picture.h"
#include "display/display_format.h"

#include <QByteArray>
#include <QPixmap>
#include <QRect>

#include <vector>

// The screen bitmaps the simulated device is painted from: the background,
// the whole off image, and for every LED shape area its pixels at the
// brightness steps, in the format the screen's pixmaps hold, so that painting
// only copies. The pixmaps share the pixels of DeviceFrames; nothing is
// copied or converted to make them.
class DeviceBitmaps
{
public:
    // Builds the background from device picture data (two images, off then
    // lit) for the display, and keeps the data, in which a 32-bit background
    // lies. Data that is not a whole device picture builds nothing and keeps
    // what was there: false. Data shared with no one is not copied.
    bool BuildBackground(QByteArray picture, const DisplayFormat &display);
    // Builds the steps of every shape area, once the background is built.
    void BuildSteps();
    // Both at once.
    bool Build(QByteArray picture, const DisplayFormat &display);

    bool IsBuilt() const { return !m_background.isNull(); }
    bool HasSteps() const { return m_frames.HasSteps(); }
    // A null pixmap until a build succeeded.
    const QPixmap &Background() const { return m_background; }

    // Where piece p (of FramePieces()) is at a brightness step: a part of a
    // pixmap as large as the piece, at step 0 the background's. Before the
    // steps are built a lit step has none.
    struct Source {
        const QPixmap *pixmap;
        QRect rect;
    };
    Source PieceAt(std::size_t piece, int step) const;
    // Whether piece p shows the same pixels at both steps; false while that
    // is not known.
    bool ShowsSame(std::size_t piece, int step, int otherStep) const;

private:
    // The device picture data, kept where a 32-bit background lies in it.
    QByteArray m_picture;
    DeviceFrames m_frames;
    // After m_frames, whose pixels they show, so that they go first.
    QPixmap m_background;
    // The strip of each column of the shape areas.
    std::vector<QPixmap> m_strips;
};
