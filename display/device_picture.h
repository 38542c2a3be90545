#pragma once

#include "display/led_tables.h"

#include "core/constants.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The two images of device picture data, where they lie in it: rows of
// DEVICE_PICTURE_SIZE four-byte pixels, top row first.
struct DevicePictureImages {
    const std::uint8_t *off;
    const std::uint8_t *lit;
};

// Finds the off and then the lit image in device picture data, each after its
// header of 16-bit little-endian width and height. False unless both are
// there in full and both are DEVICE_PICTURE_SIZE pixels square.
bool FindDevicePictureImages(const std::uint8_t *data, std::size_t size, DevicePictureImages &images);

// A column of an LED shape area, at most FRAME_COLUMN_WIDTH pixels wide: the
// brightness steps of its pieces are kept in one strip. Narrow columns keep
// less, as most of an area's pixels fade at only some of the steps.
struct FrameColumn {
    int position;
    PictureRect rect;
};

// A piece of a column: a band of at most FRAME_PIECE_ROWS of its rows. The
// brightness steps are kept piece by piece, and a piece that shows the same
// pixels at several steps keeps them once.
struct FramePiece {
    std::size_t column; // of FrameColumns()
    int position;
    PictureRect rect;
    // Whether an other LED position's shape area covers a part of it.
    bool overlapsOther;
};

inline constexpr int FRAME_COLUMN_WIDTH = 64;
inline constexpr int FRAME_PIECE_ROWS = 32;

// The columns of all shape areas, area by area, left to right.
const std::vector<FrameColumn> &FrameColumns();
// The pieces of all columns, column by column, top to bottom.
const std::vector<FramePiece> &FramePieces();

// Where the pieces of one LED position lie in FramePieces(): [first, last).
struct PieceRange {
    std::size_t first;
    std::size_t last;
};
PieceRange PositionPieces(int position);

// What the simulated device is painted from, made once, in the screen's
// pixel format: the background, which is the whole off image, and for every
// piece of the LED shape areas its pixels at brightness steps 1..15. Only the
// shape areas are kept of the brightness frames, as the paint copies nothing
// else of them; where a piece shows the background at a step, or what it
// shows at another step, nothing more is kept.
//
// Depth 32 gives pixels of four bytes, blue, green, red and 0xFF; depth 16
// gives 16-bit pixels of a layout format16 (see probe_format16.h).
class DeviceFrames
{
public:
    DeviceFrames();
    ~DeviceFrames();
    DeviceFrames(DeviceFrames &&) noexcept;
    DeviceFrames &operator=(DeviceFrames &&) noexcept;

    // Finds the images in data and makes the background. Data that is not a
    // whole device picture, or another depth, makes nothing: false. At depth
    // 32 the background is the off image itself, made opaque where it lies,
    // so data must stay as long as the frames; at depth 16 until MakeSteps.
    bool MakeBackground(std::uint8_t *data, std::size_t size, std::int32_t depth, std::int32_t format16);
    // Makes the steps of every shape area, once the background is made.
    void MakeSteps();

    bool HasBackground() const { return m_background != nullptr; }
    bool HasSteps() const { return m_stepsMade; }
    std::int32_t Depth() const { return m_depth; }
    std::int32_t Format16() const { return m_format16; }
    std::size_t BytesPerPixel() const;

    // DEVICE_PICTURE_SIZE rows of DEVICE_PICTURE_SIZE pixels.
    const std::uint8_t *Background() const { return m_background; }
    // Column k's strip: rows of the column's width with no gaps, holding the
    // pixels its pieces show at the steps, StripRows(k) of them.
    const std::uint8_t *Strip(std::size_t column) const;
    int StripRows(std::size_t column) const;
    // The row of its column's strip where piece p's pixels at step begin, or
    // -1 where the piece shows the background.
    int PieceRow(std::size_t piece, int step) const;

private:
    // Pages of memory mapped for the frames alone, of which those the steps
    // do not need go back once they are made.
    struct Block {
        Block() = default;
        explicit Block(std::size_t bytes);
        Block(Block &&other) noexcept;
        Block &operator=(Block &&other) noexcept;
        ~Block();
        void Keep(std::size_t bytes);

        std::uint8_t *bytes = nullptr;
        std::size_t size = 0;
    };
    class PieceKeeper;

    Block m_block;
    const std::uint8_t *m_background = nullptr;
    // Where each column's strip begins in the block, in bytes, and its rows.
    std::vector<std::size_t> m_stripStarts;
    std::vector<int> m_stripRows;
    // For each piece and step 0..15, as PieceRow gives it.
    std::vector<std::array<int, BRIGHTNESS_STEPS>> m_pieceRows;
    DevicePictureImages m_images {};
    std::int32_t m_depth = 0;
    std::int32_t m_format16 = 0;
    bool m_stepsMade = false;
};

// The device picture as the simulation view shows it at levels, made for
// this one picture alone: the background, then LEDs 0..9 in turn at their
// brightness steps. Writes DEVICE_PICTURE_SIZE rows of DEVICE_PICTURE_SIZE
// four-byte pixels (blue, green, red, 0xFF) into out; false, and nothing
// written, when data is not a whole device picture.
bool ComposeDevicePicture(
    const std::uint8_t *data, std::size_t size, const LedLevels &levels, std::uint8_t *out);
