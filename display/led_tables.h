#pragma once

#include "core/constants.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

// The geometry of the ten LED positions on the 800 x 800 device picture.

// The device picture: both of its images are this many pixels across and
// down, and so is the background of the simulated device.
inline constexpr int DEVICE_PICTURE_SIZE = 800;

// Shape rectangles an LED position has at most; a shorter list ends with a
// rectangle whose x1 and x2 are both 0.
inline constexpr int LED_SHAPE_SLOTS = 6;

// A rectangle of the picture; right and bottom are exclusive.
struct PictureRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool Contains(std::int32_t x, std::int32_t y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool IsEmpty() const { return left >= right || top >= bottom; }
    // The smallest rectangle holding both; an empty one adds nothing.
    PictureRect United(const PictureRect &other) const;
    PictureRect Intersected(const PictureRect &other) const;
};

// A shape rectangle given by two corners in either order; it covers the
// columns from the smaller x up to the larger and the rows likewise.
struct ShapeRect {
    std::int32_t x1;
    std::int32_t y1;
    std::int32_t x2;
    std::int32_t y2;

    bool IsEndMark() const { return x1 == 0 && x2 == 0; }
    PictureRect Normalised() const;
};

// For each LED position, the part of the picture its brightness frames hold.
inline constexpr std::array<PictureRect, LED_COUNT> LED_BOUNDS = { {
    { 0, 409, 355, 799 },
    { 156, 439, 389, 799 },
    { 402, 439, 655, 799 },
    { 436, 409, 799, 799 },
    { 454, 305, 799, 464 },
    { 438, 0, 799, 365 },
    { 402, 0, 655, 338 },
    { 156, 0, 389, 338 },
    { 0, 0, 355, 365 },
    { 0, 305, 340, 464 },
} };

// For each LED position, the staircase of rectangles that changes with its
// brightness. Parts of them reach past the position's bounds; only what lies
// inside the bounds is ever painted.
inline constexpr ShapeRect LED_SHAPES[LED_COUNT][LED_SHAPE_SLOTS] = {
    { { 190, 465, 0, 799 }, { 190, 609, 277, 437 }, { 277, 522, 319, 419 }, { 319, 479, 340, 414 },
        { 340, 457, 351, 411 }, { 351, 444, 361, 422 } },
    { { 192, 799, 372, 606 }, { 279, 606, 385, 520 }, { 322, 520, 394, 477 }, { 342, 477, 391, 456 },
        { 352, 456, 394, 447 }, { 362, 447, 394, 437 } },
    { { 596, 799, 416, 606 }, { 509, 606, 403, 520 }, { 466, 520, 394, 477 }, { 446, 477, 397, 456 },
        { 436, 456, 394, 447 }, { 426, 447, 394, 437 } },
    { { 598, 465, 788, 799 }, { 598, 609, 511, 437 }, { 511, 522, 469, 419 }, { 469, 479, 448, 414 },
        { 448, 457, 437, 411 }, { 437, 444, 427, 422 } },
    { { 547, 319, 799, 451 }, { 547, 354, 475, 415 }, { 475, 366, 448, 403 }, { 0, 0, 0, 0 }, { 0, 0, 0, 0 },
        { 0, 0, 0, 0 } },
    { { 598, 309, 788, -25 }, { 598, 165, 511, 337 }, { 511, 252, 469, 355 }, { 469, 295, 448, 360 },
        { 448, 317, 437, 363 }, { 437, 330, 427, 352 } },
    { { 596, -25, 416, 168 }, { 509, 168, 403, 254 }, { 466, 254, 394, 297 }, { 446, 297, 397, 318 },
        { 436, 318, 394, 327 }, { 426, 327, 394, 337 } },
    { { 192, -25, 372, 168 }, { 279, 168, 385, 254 }, { 322, 254, 394, 297 }, { 342, 297, 391, 318 },
        { 352, 318, 394, 327 }, { 362, 327, 394, 337 } },
    { { 190, 309, 0, -25 }, { 190, 165, 277, 337 }, { 277, 252, 319, 355 }, { 319, 295, 340, 360 },
        { 340, 317, 351, 363 }, { 351, 330, 361, 352 } },
    { { 241, 319, -11, 451 }, { 241, 354, 313, 415 }, { 313, 366, 340, 403 }, { 0, 0, 0, 0 }, { 0, 0, 0, 0 },
        { 0, 0, 0, 0 } },
};

// The ten LED levels of the device, 0..MAX_LED_LEVEL, in LED order.
using LedLevels = std::array<std::uint8_t, LED_COUNT>;

// LED level k of the document is shown at LED position LED_ORDER[k].
inline constexpr std::array<int, LED_COUNT> LED_ORDER = { 6, 7, 8, 9, 0, 1, 2, 3, 4, 5 };

// The number of shape rectangles of an LED position before its end mark.
int ShapeCount(int position);

// The brightness step 0..BRIGHTNESS_STEPS - 1 that shows an LED level; a
// level past MAX_LED_LEVEL shows as full.
inline int BrightnessStep(int level)
{
    return std::clamp(level, 0, MAX_LED_LEVEL) / LED_LEVELS_PER_STEP;
}

// A shape rectangle as the paint copies it: clipped to its position's bounds,
// never empty.
struct LedShapeArea {
    int position;
    PictureRect rect;
};

// The shape areas of all positions, position by position, each position's in
// table order. Only these parts of a brightness frame are ever shown.
const std::vector<LedShapeArea> &LedShapeAreas();

// True when picture pixel (x, y) is painted from position's frames: it lies
// in one of its shape rectangles and inside its bounds.
bool IsInLedArea(int position, std::int32_t x, std::int32_t y);
