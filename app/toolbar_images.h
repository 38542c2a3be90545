#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>

#include <vector>

// Blends a toolbar strip (bitmap 102, 103 or 104) with the mask strip
// (bitmap 105) over the button face, as BlendWithMask does, and makes the
// pixels that come out black transparent. Both strips must be of one size.
QImage BlendToolbarStrip(const QImage &strip, const QImage &mask, QColor buttonFace);

// The icons of the toolbar buttons, one per 32 x 32 image of the strips, in
// button order, each with its normal, disabled and hot (pointer over it)
// image. Empty when a strip is missing or the strips differ in size.
std::vector<QIcon> LoadToolbarIcons(QColor buttonFace);
