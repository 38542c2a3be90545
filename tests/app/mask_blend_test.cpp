#include "app/mask_blend.h"

#include <gtest/gtest.h>

TEST(MaskBlend, MaskWeighsFaceAgainstImagePerComponent)
{
    // Two pixels: the first all image (mask 0), the second blended byte by
    // byte. The shift by 8 divides by 256, so even mask 0 darkens a little.
    std::uint8_t pixels[] = { 10, 20, 30, 200, 100, 0 };
    const std::uint8_t mask[] = { 0, 0, 0, 255, 128, 64 };
    BlendWithMask(pixels, mask, 2, BgrColour { 40, 80, 240 });

    EXPECT_EQ(pixels[0], 9);
    EXPECT_EQ(pixels[1], 19);
    EXPECT_EQ(pixels[2], 29);
    EXPECT_EQ(pixels[3], (255 * 40 + 0 * 200) >> 8); // blue against face blue: 39
    EXPECT_EQ(pixels[4], (128 * 80 + 127 * 100) >> 8); // green: 89
    EXPECT_EQ(pixels[5], (64 * 240 + 191 * 0) >> 8); // red: 60
}

TEST(MaskBlend, FullMaskGivesAlmostTheFaceAndNoOverflow)
{
    std::uint8_t pixels[] = { 255, 255, 255 };
    const std::uint8_t mask[] = { 255, 255, 255 };
    BlendWithMask(pixels, mask, 1, BgrColour { 255, 0, 128 });
    EXPECT_EQ(pixels[0], 254);
    EXPECT_EQ(pixels[1], 0);
    EXPECT_EQ(pixels[2], 127);
}
