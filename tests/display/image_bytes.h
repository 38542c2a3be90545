#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// Test images in the byte layout PixelBuffer::ReadImage reads.
inline void AppendImage(std::vector<std::uint8_t> &bytes, int width, int height,
    const std::function<std::uint32_t(int x, int y)> &pixel)
{
    bytes.push_back(static_cast<std::uint8_t>(width));
    bytes.push_back(static_cast<std::uint8_t>(width >> 8));
    bytes.push_back(static_cast<std::uint8_t>(height));
    bytes.push_back(static_cast<std::uint8_t>(height >> 8));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<std::uint8_t>(pixel(x, y) >> shift));
}

inline std::vector<std::uint8_t> ImageBytes(
    int width, int height, const std::function<std::uint32_t(int x, int y)> &pixel)
{
    std::vector<std::uint8_t> bytes;
    AppendImage(bytes, width, height, pixel);
    return bytes;
}
