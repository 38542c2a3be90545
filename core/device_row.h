#pragma once

#include "core/sequence_row.h"

#include <cstdint>

// What the device keeps of a row. Its memory holds two bytes per row slot,
// so an uploaded row loses what does not fit; the upload image and the
// sequence checker both go by these.

// False for a command row whose letter the device does not know: the upload
// leaves it out, and the rows after it move up one slot.
bool HasDeviceSlot(const SequenceRow &row);

// The hold time of a pattern row: its low seven bits.
std::uint16_t DeviceTime(std::uint16_t time);

// The slot a jump command reaches: the low byte of its target.
std::uint16_t DeviceJumpTarget(std::uint16_t target);

// The device's twelve-bit fade step for a FADE IN or FADE OUT parameter:
// 4095 for 0, otherwise 4080 / parameter over all sixteen bits.
std::uint16_t ImageFadeStep(std::uint16_t parameter);

// Channel levels per unit of the device's fade step.
inline constexpr int FADE_STEP_SCALE = 8;
