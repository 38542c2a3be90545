#include "app/mask_blend.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(MaskBlend, MaskWeighsFaceAgainstImagePerComponentWithoutOverflow)
{
    // The shift by 8 divides by 256, so even mask 0 darkens a little and a
    // full mask gives a little less than the face.
    std::uint8_t pixels[] = { 10, 20, 30, 200, 100, 0, 255, 255, 255 };
    const std::uint8_t mask[] = { 0, 0, 0, 255, 128, 64, 255, 255, 255 };
    BlendWithMask(pixels, mask, 2, BgrColour { 40, 80, 240 });
    BlendWithMask(pixels + 6, mask + 6, 1, BgrColour { 255, 0, 128 });
    const std::uint8_t expected[] = { 9, 19, 29, 39, 89, 60, 254, 0, 127 };
    EXPECT_TRUE(std::equal(pixels, pixels + 9, expected));
}
