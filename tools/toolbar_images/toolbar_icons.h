#pragma once

#include <QImage>

// The eight toolbar buttons in toolbar order: open, save as, start, stop,
// upload, editor, about, web site.
inline constexpr int TOOLBAR_BUTTON_COUNT = 8;
inline constexpr int TOOLBAR_BUTTON_SIZE = 32;

// The screens' device pixel ratios the toolbar is drawn for besides 1; a
// strip for ratio r is named as the one for 1 with "@rx" before ".png".
inline constexpr double TOOLBAR_SCALES[] = { 1.5, 2 };

// The eight icons side by side on a transparent ground (256 x 32, ARGB), or
// drawn for a device pixel ratio of scale (512 x 64 at 2).
QImage DrawToolbarIcons(qreal scale = 1);

// The strips the toolbar is made from. Each colour strip holds the plain
// colour of the icons, the mask says how much of the button face shows
// through (255 - alpha in all three components), as the frame blends them.
QImage ColourStrip(const QImage &icons);
QImage DisabledStrip(const QImage &icons);
QImage HotStrip(const QImage &icons);
QImage MaskStrip(const QImage &icons);
// The icons as a plain button face shows them, for the toolbar resource.
QImage FlatStrip(const QImage &icons, QColor face);
