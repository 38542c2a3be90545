#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

// Test images of one size, one after the other, in the byte layout
// PixelBuffer::ReadImage reads.
inline std::vector<std::uint8_t> ImageBytes(
    int width, int height, std::initializer_list<std::function<std::uint32_t(int x, int y)>> images)
{
    std::vector<std::uint8_t> bytes;
    for (const auto &pixel : images) {
        for (const int side : { width, height })
            bytes.insert(
                bytes.end(), { static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(side >> 8) });
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int shift = 0; shift < 32; shift += 8)
                    bytes.push_back(static_cast<std::uint8_t>(pixel(x, y) >> shift));
    }
    return bytes;
}
