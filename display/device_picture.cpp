#include "display/device_picture.h"

#include "core/constants.h"
#include "display/led_tables.h"
#include "display/pixel_buffer.h"

namespace
{

bool HasPictureSize(const PixelBuffer &image)
{
    return image.Width() == DEVICE_PICTURE_SIZE && image.Height() == DEVICE_PICTURE_SIZE;
}

ConvertedBlock OutputOf(const PixelBuffer &buffer, std::int32_t width, std::int32_t height)
{
    return { buffer.OutputBlock(), buffer.OutputSize(), width, height };
}

void ConvertBackground(PixelBuffer &off, std::int32_t depth, std::int32_t format16, DevicePictureSink &sink)
{
    const auto width = static_cast<std::int32_t>(off.Width());
    const auto height = static_cast<std::int32_t>(off.Height());
    off.Convert(0, 0, width, height, 1, depth, format16);
    sink.Background(OutputOf(off, width, height));
    off.FreeOutput();
}

void ConvertFrames(
    PixelBuffer &picture, int step, std::int32_t depth, std::int32_t format16, DevicePictureSink &sink)
{
    for (int position = 0; position < LED_COUNT; ++position) {
        const PictureRect &bounds = LED_BOUNDS[position];
        picture.Convert(bounds.left, bounds.top, bounds.Width(), bounds.Height(), 1, depth, format16);
        sink.Frame(step, position, OutputOf(picture, bounds.Width(), bounds.Height()));
        picture.FreeOutput();
    }
}

} // namespace

bool ReadDevicePicture(const std::uint8_t *data, std::size_t size, PixelBuffer &off, PixelBuffer &lit)
{
    const std::uint8_t *cursor = data;
    const std::uint8_t *end = data + size;
    return off.ReadImage(cursor, end) && HasPictureSize(off) && lit.ReadImage(cursor, end)
        && HasPictureSize(lit);
}

bool BuildDevicePictureBlocks(const std::uint8_t *data, std::size_t size, std::int32_t depth,
    std::int32_t format16, DevicePictureSink &sink)
{
    if (depth != 16 && depth != 24 && depth != 32)
        return false;
    PixelBuffer off;
    PixelBuffer lit;
    off.Init();
    lit.Init();
    if (!ReadDevicePicture(data, size, off, lit))
        return false;
    ConvertBackground(off, depth, format16, sink);
    for (int step = 0; step < BRIGHTNESS_STEPS; ++step) {
        if (step > 0)
            off.BlendToward(lit, 1.0 / (BRIGHTNESS_STEPS - step));
        ConvertFrames(off, step, depth, format16, sink);
    }
    return true;
}
