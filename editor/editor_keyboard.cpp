#include "editor/editor_keyboard.h"

#include <algorithm>

namespace
{

bool MovesUp(LineKey key)
{
    return key == LineKey::Home || key == LineKey::PageUp;
}

int Target(LineKey key, int first, int last, int rowCount, int pageLines)
{
    const int page = std::max(1, pageLines);
    switch (key) {
    case LineKey::Home: return 0;
    case LineKey::End: return rowCount - 1;
    case LineKey::PageUp: return std::max(0, first - page);
    case LineKey::PageDown: return std::min(rowCount - 1, last + page);
    }
    return first;
}

} // namespace

LineMove MoveLine(LineKey key, bool extend, int first, int last, int rowCount, int pageLines)
{
    if (first < 0 || last < 0)
        first = last = 0;
    const int line = Target(key, first, last, rowCount, pageLines);
    if (!extend)
        return { line, line };
    return { MovesUp(key) ? last : first, line };
}
