#pragma once

#include "display/led_tables.h"

#include <cstddef>
#include <cstdint>
#include <memory>
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

// What the simulated device is painted from, made once, in the screen's
// pixel format: the background, which is the whole off image, and for every
// LED shape area (LedShapeAreas()) its pixels at brightness steps 1..15; at
// step 0 an area shows the background. Only the shape areas are kept of the
// brightness frames, as the paint copies nothing else of them.
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
    // whole device picture, or another depth, makes nothing: false. data
    // must stay until MakeSteps.
    bool MakeBackground(
        const std::uint8_t *data, std::size_t size, std::int32_t depth, std::int32_t format16);
    // Makes the steps of every shape area, once the background is made.
    void MakeSteps();

    bool HasBackground() const { return m_block != nullptr; }
    bool HasSteps() const { return m_stepsMade; }
    std::int32_t Depth() const { return m_depth; }
    std::int32_t Format16() const { return m_format16; }
    std::size_t BytesPerPixel() const;

    // DEVICE_PICTURE_SIZE rows of DEVICE_PICTURE_SIZE pixels.
    const std::uint8_t *Background() const { return m_block.get(); }
    // Shape area k at steps 1..15, one after the other, each the area's rows
    // with no gaps: step s begins (s - 1) x the area's height rows down.
    const std::uint8_t *AreaSteps(std::size_t area) const;

private:
    struct BlockDeleter {
        void operator()(std::uint8_t *block) const;
    };

    std::unique_ptr<std::uint8_t, BlockDeleter> m_block;
    // Where each shape area's steps begin in the block, in bytes.
    std::vector<std::size_t> m_areaStarts;
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
