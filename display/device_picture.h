#pragma once

#include <cstddef>
#include <cstdint>

class PixelBuffer;

// One block of converted pixels, in the layout PixelBuffer::Convert gives for
// the depth it was made with. Valid only during the sink call that gets it.
struct ConvertedBlock {
    const std::uint8_t *bytes;
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height;
};

// Takes the blocks of the device picture as they are made and keeps what it
// needs of them: the screen bitmaps.
class DevicePictureSink
{
public:
    virtual ~DevicePictureSink() = default;
    virtual void Background(const ConvertedBlock &block) = 0;
    virtual void Frame(int step, int position, const ConvertedBlock &block) = 0;
};

// Reads the device picture data, the off image and then the lit image. False
// unless both are there in full and both are DEVICE_PICTURE_SIZE pixels
// square.
bool ReadDevicePicture(const std::uint8_t *data, std::size_t size, PixelBuffer &off, PixelBuffer &lit);

// Builds everything the simulated device is painted from: the whole off image
// as the background, then for each brightness step the frames of the ten LED
// positions, every step one truncating blend further from the off image
// towards the lit one (factors 1/15, 1/14, ..., 1). Each block goes to the
// sink as soon as it is converted. Bad picture data or an unsupported depth
// builds nothing and gives false.
bool BuildDevicePictureBlocks(const std::uint8_t *data, std::size_t size, std::int32_t depth,
    std::int32_t format16, DevicePictureSink &sink);
