#include "editor/editor_window_fit.h"

#include <algorithm>

namespace
{

// The editor may take this share of the view, as numerator and denominator.
constexpr int LIMIT_NUMERATOR = 9;
constexpr int LIMIT_DENOMINATOR = 10;

int Fit(int frame, int content, int viewClient)
{
    return std::min(frame + content, viewClient * LIMIT_NUMERATOR / LIMIT_DENOMINATOR);
}

} // namespace

PixelSize FitEditorWindow(const PixelSize &frame, const PixelSize &content, const PixelSize &viewClient)
{
    return { Fit(frame.width, content.width, viewClient.width),
        Fit(frame.height, content.height, viewClient.height) };
}
