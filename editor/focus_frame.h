#pragma once

#include <QRect>

class QPainter;

// Frames the rectangle where the keyboard is, dotted black over white so
// that it shows on every cell colour, clipped to the band from top to bottom
// (exclusive).
void PaintFocusFrame(QPainter &painter, const QRect &rect, int top, int bottom);
