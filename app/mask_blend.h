#pragma once

#include <cstddef>
#include <cstdint>

// A colour in the byte order of the toolbar pixels.
struct BgrColour {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
};

// Lays the button face under an image as its mask says. pixels holds
// pixelCount pixels of three bytes (blue, green, red) back to back, mask the
// same number of bytes. Each byte b with mask byte m at the same place and
// face component f of the same colour becomes (m * f + (255 - m) * b) >> 8:
// a mask byte of 0 keeps the image, 255 gives almost exactly the face.
void BlendWithMask(std::uint8_t *pixels, const std::uint8_t *mask, std::size_t pixelCount, BgrColour face);
