#pragma once

#include "display/led_tables.h"

#include <QPointF>

#include <array>
#include <vector>

// Where on the device picture each LED may light up: the pixels that only
// its own frames paint. Light drawn anywhere else would show wrongly when a
// neighbour is at another brightness, so the lit picture differs from the
// off one only inside these areas.
class LedAreas
{
public:
    static constexpr int NONE = -1;

    LedAreas();

    // The LED position that alone paints pixel (x, y), or NONE.
    int Owner(int x, int y) const { return m_owner[Index(x, y)]; }
    // How far (x, y) lies inside its owner's area, in pixels; 0 when it has
    // no owner.
    float Depth(int x, int y) const { return m_depth[Index(x, y)]; }

    // Where a position's lens goes: on the lens ring, along the line from
    // the hub through its area.
    QPointF LensCentre(int position) const { return m_lensCentre[static_cast<std::size_t>(position)]; }

private:
    static std::size_t Index(int x, int y)
    {
        return static_cast<std::size_t>(y) * DEVICE_PICTURE_SIZE + static_cast<std::size_t>(x);
    }
    void FindOwners();
    void MeasureDepth();
    void PlaceLenses();

    std::vector<int> m_owner;
    std::vector<float> m_depth;
    std::array<QPointF, LED_COUNT> m_lensCentre;
};

// The point all LED areas point towards: the middle of the device.
inline constexpr double HUB_X = 394.0;
inline constexpr double HUB_Y = 386.0;
// The distance of every lens from the hub.
inline constexpr double LENS_RING_RADIUS = 200.0;
