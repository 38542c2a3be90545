#pragma once

#include <QEvent>

// A key or mouse-button press, in a window or on its frame: the user acting.
inline bool IsUserPress(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonDblClick: return true;
    default: return false;
    }
}
