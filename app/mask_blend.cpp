#include "app/mask_blend.h"

void BlendWithMask(std::uint8_t *pixels, const std::uint8_t *mask, std::size_t pixelCount, BgrColour face)
{
    const unsigned components[3] = { face.blue, face.green, face.red };
    for (std::size_t i = 0; i < pixelCount * 3; ++i) {
        const unsigned m = mask[i];
        const unsigned f = components[i % 3];
        pixels[i] = static_cast<std::uint8_t>((m * f + (255 - m) * pixels[i]) >> 8);
    }
}
