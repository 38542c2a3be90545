#include "tools/led_areas.h"

#include "display/led_tables.h"

#include <algorithm>
#include <cmath>

#include <QtMath>

namespace
{

constexpr int SIZE = DEVICE_PICTURE_SIZE;
// The areas fan out from the hub 36 degrees apart, position 4 pointing
// right and the positions going round counter-clockwise.
constexpr double AREA_ANGLE_STEP = 36.0;
constexpr int RIGHTMOST_POSITION = 4;
// Chamfer steps that approximate Euclidean distance well enough for shading.
constexpr float STRAIGHT_STEP = 1.0f;
constexpr float DIAGONAL_STEP = 1.41421356f;

} // namespace

LedAreas::LedAreas()
    : m_owner(static_cast<std::size_t>(SIZE) * SIZE, NONE)
    , m_depth(static_cast<std::size_t>(SIZE) * SIZE, 0.0f)
{
    FindOwners();
    MeasureDepth();
    PlaceLenses();
}

void LedAreas::FindOwners()
{
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x) {
            int owner = NONE;
            int painters = 0;
            for (int p = 0; p < LED_COUNT; ++p)
                if (IsInLedArea(p, x, y)) {
                    owner = p;
                    ++painters;
                }
            m_owner[Index(x, y)] = painters == 1 ? owner : NONE;
        }
}

// Two chamfer passes: each pixel's distance to the nearest pixel outside its
// owner's area; the picture's edge counts as outside.
void LedAreas::MeasureDepth()
{
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x)
            if (Owner(x, y) != NONE)
                m_depth[Index(x, y)] = 1e9f;

    auto relax = [this](int x, int y, int dx, int dy, float step) {
        const int nx = x + dx;
        const int ny = y + dy;
        const bool same = nx >= 0 && ny >= 0 && nx < SIZE && ny < SIZE && Owner(nx, ny) == Owner(x, y);
        const float neighbour = same ? m_depth[Index(nx, ny)] : 0.0f;
        float &depth = m_depth[Index(x, y)];
        depth = std::min(depth, neighbour + step);
    };
    for (int y = 0; y < SIZE; ++y)
        for (int x = 0; x < SIZE; ++x)
            if (Owner(x, y) != NONE) {
                relax(x, y, -1, 0, STRAIGHT_STEP);
                relax(x, y, 0, -1, STRAIGHT_STEP);
                relax(x, y, -1, -1, DIAGONAL_STEP);
                relax(x, y, 1, -1, DIAGONAL_STEP);
            }
    for (int y = SIZE - 1; y >= 0; --y)
        for (int x = SIZE - 1; x >= 0; --x)
            if (Owner(x, y) != NONE) {
                relax(x, y, 1, 0, STRAIGHT_STEP);
                relax(x, y, 0, 1, STRAIGHT_STEP);
                relax(x, y, 1, 1, DIAGONAL_STEP);
                relax(x, y, -1, 1, DIAGONAL_STEP);
            }
}

void LedAreas::PlaceLenses()
{
    for (int p = 0; p < LED_COUNT; ++p) {
        const double angle = qDegreesToRadians(AREA_ANGLE_STEP * (p - RIGHTMOST_POSITION));
        m_lensCentre[static_cast<std::size_t>(p)]
            = QPointF(HUB_X + LENS_RING_RADIUS * std::cos(angle), HUB_Y - LENS_RING_RADIUS * std::sin(angle));
    }
}
