#include "display/device_picture.h"

#include "core/constants.h"
#include "display/brightness_fade.h"
#include "display/pixel_buffer.h"

#include <sys/mman.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace
{

constexpr std::size_t PIXEL_BYTES = 4;
constexpr std::size_t PICTURE_PIXELS = static_cast<std::size_t>(DEVICE_PICTURE_SIZE) * DEVICE_PICTURE_SIZE;
constexpr std::size_t PICTURE_STRIDE = PIXEL_BYTES * DEVICE_PICTURE_SIZE;
constexpr std::size_t IMAGE_BYTES = PixelBuffer::HEADER_BYTES + PIXEL_BYTES * PICTURE_PIXELS;
constexpr int LAST_STEP = BRIGHTNESS_STEPS - 1;

// Large enough a block gets large pages from the kernel where it can, which
// spares it a page fault for every 4 KiB when the frames are first written.
constexpr std::size_t LARGE_PAGE = 2u << 20;

std::uint32_t ReadLe16(const std::uint8_t *bytes)
{
    return bytes[0] | bytes[1] << 8;
}

bool IsPictureImage(const std::uint8_t *header)
{
    return ReadLe16(header) == DEVICE_PICTURE_SIZE && ReadLe16(header + 2) == DEVICE_PICTURE_SIZE;
}

std::size_t AreaPixels(const PictureRect &area)
{
    return static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(area.Height());
}

// Where pixel (x, y) of a picture begins.
std::size_t Offset(int x, int y)
{
    return PICTURE_STRIDE * static_cast<std::size_t>(y) + PIXEL_BYTES * static_cast<std::size_t>(x);
}

// Copies rows of four-byte pixels, with 0xFF in every fourth byte.
void CopyOpaque(const std::uint8_t *from, std::size_t fromStride, std::uint8_t *to, std::size_t toStride,
    int width, int height)
{
    const std::size_t rowBytes = PIXEL_BYTES * static_cast<std::size_t>(width);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        std::uint8_t *row = to + toStride * y;
        std::memcpy(row, from + fromStride * y, rowBytes);
        for (std::size_t i = PIXEL_BYTES - 1; i < rowBytes; i += PIXEL_BYTES)
            row[i] = 0xFF;
    }
}

// Puts each step of an area straight into its strip, or, for 16-bit pixels,
// makes it in a scratch buffer and encodes it into the strip.
class StripSteps : public FadeSteps
{
public:
    StripSteps(std::uint8_t *strip, std::size_t pixels, std::int32_t depth, std::int32_t format16)
        : m_strip(strip)
        , m_pixels(pixels)
        , m_format16(format16)
        , m_bytesPerPixel(depth == 16 ? 2 : PIXEL_BYTES)
    {
        if (depth == 16)
            for (std::vector<std::uint8_t> &scratch : m_scratch)
                scratch.resize(PIXEL_BYTES * pixels);
    }

    std::uint8_t *StepPixels(int step) override
    {
        return m_bytesPerPixel == PIXEL_BYTES ? StepInStrip(step) : m_scratch[step % 2].data();
    }
    void StepDone(int step, const std::uint8_t *pixels) override
    {
        if (m_bytesPerPixel != PIXEL_BYTES)
            EncodePixels16(pixels, m_pixels, m_format16, StepInStrip(step));
    }

private:
    std::uint8_t *StepInStrip(int step) const
    {
        return m_strip + m_bytesPerPixel * m_pixels * static_cast<std::size_t>(step - 1);
    }

    std::uint8_t *m_strip;
    std::size_t m_pixels;
    std::int32_t m_format16;
    std::size_t m_bytesPerPixel;
    std::vector<std::uint8_t> m_scratch[2];
};

// Makes an area's steps in scratch buffers and puts the last one into a
// picture.
class LastStepInto : public FadeSteps
{
public:
    LastStepInto(const PictureRect &area, int lastStep, std::uint8_t *picture)
        : m_area(area)
        , m_lastStep(lastStep)
        , m_picture(picture)
    {
        for (std::vector<std::uint8_t> &scratch : m_scratch)
            scratch.resize(PIXEL_BYTES * AreaPixels(area));
    }

    std::uint8_t *StepPixels(int step) override { return m_scratch[step % 2].data(); }
    void StepDone(int step, const std::uint8_t *pixels) override
    {
        if (step == m_lastStep)
            CopyOpaque(pixels, PIXEL_BYTES * static_cast<std::size_t>(m_area.Width()),
                m_picture + Offset(m_area.left, m_area.top), PICTURE_STRIDE, m_area.Width(), m_area.Height());
    }

private:
    PictureRect m_area;
    int m_lastStep;
    std::uint8_t *m_picture;
    std::vector<std::uint8_t> m_scratch[2];
};

} // namespace

bool FindDevicePictureImages(const std::uint8_t *data, std::size_t size, DevicePictureImages &images)
{
    if (size < 2 * IMAGE_BYTES || !IsPictureImage(data) || !IsPictureImage(data + IMAGE_BYTES))
        return false;
    images = { data + PixelBuffer::HEADER_BYTES, data + IMAGE_BYTES + PixelBuffer::HEADER_BYTES };
    return true;
}

void DeviceFrames::BlockDeleter::operator()(std::uint8_t *block) const
{
    std::free(block);
}

DeviceFrames::DeviceFrames() = default;
DeviceFrames::~DeviceFrames() = default;
DeviceFrames::DeviceFrames(DeviceFrames &&) noexcept = default;
DeviceFrames &DeviceFrames::operator=(DeviceFrames &&) noexcept = default;

std::size_t DeviceFrames::BytesPerPixel() const
{
    return m_depth == 16 ? 2 : PIXEL_BYTES;
}

bool DeviceFrames::MakeBackground(
    const std::uint8_t *data, std::size_t size, std::int32_t depth, std::int32_t format16)
{
    DevicePictureImages images;
    if ((depth != 16 && depth != 32) || !FindDevicePictureImages(data, size, images))
        return false;
    m_images = images;
    m_depth = depth;
    m_format16 = format16;
    m_stepsMade = false;

    // The background first, then each area's steps.
    std::size_t pixels = PICTURE_PIXELS;
    m_areaStarts.clear();
    for (const LedShapeArea &area : LedShapeAreas()) {
        m_areaStarts.push_back(BytesPerPixel() * pixels);
        pixels += LAST_STEP * AreaPixels(area.rect);
    }
    void *block = nullptr;
    if (posix_memalign(&block, LARGE_PAGE, BytesPerPixel() * pixels) != 0)
        return false;
#ifdef MADV_HUGEPAGE
    madvise(block, BytesPerPixel() * pixels, MADV_HUGEPAGE);
#endif
    m_block.reset(static_cast<std::uint8_t *>(block));

    if (depth == 16)
        EncodePixels16(m_images.off, PICTURE_PIXELS, format16, m_block.get());
    else
        CopyOpaque(m_images.off, PICTURE_STRIDE, m_block.get(), PICTURE_STRIDE, DEVICE_PICTURE_SIZE,
            DEVICE_PICTURE_SIZE);
    return true;
}

void DeviceFrames::MakeSteps()
{
    if (!HasBackground() || m_stepsMade)
        return;
    AreaFader fader(m_images.off, m_images.lit, PICTURE_STRIDE);
    const std::vector<LedShapeArea> &areas = LedShapeAreas();
    for (std::size_t k = 0; k < areas.size(); ++k) {
        StripSteps steps(m_block.get() + m_areaStarts[k], AreaPixels(areas[k].rect), m_depth, m_format16);
        fader.Fade(areas[k].rect, LAST_STEP, steps);
    }
    m_stepsMade = true;
}

const std::uint8_t *DeviceFrames::AreaSteps(std::size_t area) const
{
    return m_block.get() + m_areaStarts[area];
}

bool ComposeDevicePicture(
    const std::uint8_t *data, std::size_t size, const LedLevels &levels, std::uint8_t *out)
{
    DevicePictureImages images;
    if (!FindDevicePictureImages(data, size, images))
        return false;
    CopyOpaque(images.off, PICTURE_STRIDE, out, PICTURE_STRIDE, DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE);
    AreaFader fader(images.off, images.lit, PICTURE_STRIDE);
    for (int led = 0; led < LED_COUNT; ++led) {
        const int step = BrightnessStep(levels[static_cast<std::size_t>(led)]);
        for (const LedShapeArea &area : LedShapeAreas()) {
            if (area.position != LED_ORDER[static_cast<std::size_t>(led)])
                continue;
            const PictureRect &rect = area.rect;
            if (step == 0) {
                // A dark LED shows the background, also over an LED before it.
                const std::size_t at = Offset(rect.left, rect.top);
                CopyOpaque(
                    images.off + at, PICTURE_STRIDE, out + at, PICTURE_STRIDE, rect.Width(), rect.Height());
                continue;
            }
            LastStepInto steps(rect, step, out);
            fader.Fade(rect, step, steps);
        }
    }
    return true;
}
