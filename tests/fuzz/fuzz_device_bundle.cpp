// Any bytes as a bundle file, the device bundle or the German one: reading
// the bundle must neither crash nor read past its bytes nor give more than
// its limit; a device picture it holds must read without reading past its
// data, every image it accepts must convert to blocks of exactly the size its
// depth gives, and a whole picture must build every step.

#include "core/constants.h"
#include "display/device_picture.h"
#include "display/pixel_buffer.h"
#include "platform/bundle_reader.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace
{

// Conversions of one image with a window, zoom and depth taken from its
// own first bytes.
void ConvertAround(PixelBuffer &image, const std::uint8_t *seed, std::size_t seedSize)
{
    constexpr std::uint32_t MAX_PIXELS = 1 << 14;
    if ((image.Width() + 5) * (image.Height() + 3) > MAX_PIXELS || seedSize < 3)
        return;
    const std::int32_t depths[] = { 1, 16, 24, 32 };
    const std::int32_t x0 = static_cast<std::int8_t>(seed[0]);
    const std::int32_t y0 = static_cast<std::int8_t>(seed[1]);
    const std::int32_t zoom = 1 + seed[2] % 3;
    const auto width = static_cast<std::int32_t>(image.Width()) + 5;
    const auto height = static_cast<std::int32_t>(image.Height()) + 3;
    for (const std::int32_t depth : depths) {
        if (!image.Convert(x0, y0, width, height, zoom, depth, 0xB55605))
            std::abort();
        const std::size_t rows = static_cast<std::size_t>(height);
        const std::size_t expected = depth == 24 ? 3 * rows * static_cast<std::size_t>(width + (width & 1))
                                                 : rows * OutputRowLength(depth, width);
        if (image.OutputSize() != expected)
            std::abort();
        image.FreeOutput();
    }
}

void CheckDevicePicture(const std::uint8_t *data, std::size_t size)
{
    const std::uint8_t *cursor = data;
    const std::uint8_t *end = data + size;
    PixelBuffer image;
    image.Init();
    while (image.ReadImage(cursor, end)) {
        if (cursor > end)
            std::abort();
        ConvertAround(image, data, size);
        // Halfway towards itself is exact: nothing may change.
        const std::uint32_t corner = image.Width() && image.Height() ? image.Pixel(0, 0) : 0;
        if (!image.BlendToward(image, 0.5)
            || (image.Width() && image.Height() && image.Pixel(0, 0) != corner))
            std::abort();
    }

    // The frames make their background in the data they are given.
    std::vector<std::uint8_t> picture(data, data + size);
    DeviceFrames frames;
    const bool built = frames.MakeBackground(picture.data(), picture.size(), 32, 0);
    if (built != frames.HasBackground())
        std::abort();
    frames.MakeSteps();
    if (frames.HasSteps() != built)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    BundleEntries entries;
    if (!ReadBundleEntries(data, size, entries)) {
        if (!entries.empty())
            std::abort();
        return 0;
    }
    std::size_t total = 0;
    for (const auto &[path, content] : entries)
        total += content.size();
    if (total > MAX_BUNDLE_BYTES)
        std::abort();
    const auto picture = entries.find("RAWDATA/IDX_PMB");
    if (picture != entries.end())
        CheckDevicePicture(picture->second.data(), picture->second.size());
    return 0;
}
