#pragma once

#include <QString>

#include <array>
#include <cstdint>

#include "core/constants.h"

// "LED 1 on, LED 2 off, ...": the LEDs as the device view shows them.
QString LedStateText(const std::array<std::uint8_t, LED_COUNT> &levels);

// Gives the device view a name for a screen reader and, as its
// description, the LEDs' state at the moment it is asked.
void InstallDeviceViewAccessible();
