#pragma once

#include <QImage>

class LedAreas;

// The two images of the device picture, 800 x 800: the VELTOR with every LED
// dark, and the same with every LED at full brightness.
struct DeviceArtwork {
    QImage off;
    QImage lit;
};

DeviceArtwork DrawDeviceArtwork(const LedAreas &areas);
