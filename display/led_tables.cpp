#include "display/led_tables.h"

#include <algorithm>

PictureRect ShapeRect::Normalised() const
{
    return { std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2) };
}

int ShapeCount(int position)
{
    int count = 0;
    while (count < LED_SHAPE_SLOTS && !LED_SHAPES[position][count].IsEndMark())
        ++count;
    return count;
}

const std::vector<LedShapeArea> &LedShapeAreas()
{
    static const std::vector<LedShapeArea> areas = [] {
        std::vector<LedShapeArea> all;
        for (int position = 0; position < LED_COUNT; ++position) {
            const PictureRect &bounds = LED_BOUNDS[static_cast<std::size_t>(position)];
            for (int i = 0; i < ShapeCount(position); ++i) {
                const PictureRect shape = LED_SHAPES[position][i].Normalised();
                const PictureRect clipped { std::max(shape.left, bounds.left),
                    std::max(shape.top, bounds.top), std::min(shape.right, bounds.right),
                    std::min(shape.bottom, bounds.bottom) };
                if (clipped.Width() > 0 && clipped.Height() > 0)
                    all.push_back({ position, clipped });
            }
        }
        return all;
    }();
    return areas;
}

bool IsInLedArea(int position, std::int32_t x, std::int32_t y)
{
    if (!LED_BOUNDS[position].Contains(x, y))
        return false;
    const int count = ShapeCount(position);
    for (int i = 0; i < count; ++i)
        if (LED_SHAPES[position][i].Normalised().Contains(x, y))
            return true;
    return false;
}

PictureRect PictureRect::United(const PictureRect &other) const
{
    if (IsEmpty())
        return other;
    if (other.IsEmpty())
        return *this;
    return { std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
        std::max(bottom, other.bottom) };
}

PictureRect PictureRect::Intersected(const PictureRect &other) const
{
    return { std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
        std::min(bottom, other.bottom) };
}
