#pragma once

#include <QImage>

// The splash picture shown at start and as the about window: the lit device
// beside the program's name.
QImage DrawSplashPicture(const QImage &litDevice);
