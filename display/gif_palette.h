#pragma once

#include "display/animation_encoder.h"

#include <gif_lib.h>

#include <array>
#include <optional>
#include <vector>

// A GIF palette has 256 entries; the last stands for "as the frame before",
// so that what did not change costs next to nothing.
inline constexpr int GIF_PALETTE_SIZE = 256;
inline constexpr int GIF_COLOUR_COUNT = 255;
inline constexpr GifByteType GIF_UNCHANGED_INDEX = 255;
using GifPalette = std::array<GifColorType, GIF_PALETTE_SIZE>;

// The 255 colours that show the sample pictures best: giflib's median cut
// picks them, then rounds of moving each to the mean of the colours nearest
// to it (Lloyd's method) fit them to where the colours lie, which keeps soft
// gradients such as the LEDs' glow from falling into bands. Nullopt without
// samples.
std::optional<GifPalette> ChooseGifPalette(const std::vector<AnimationPicture> &samples);
