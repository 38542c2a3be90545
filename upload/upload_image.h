#pragma once

#include "core/constants.h"
#include "core/device_row.h"
#include "core/sequence_row.h"

#include <array>
#include <cstdint>

class RowTable;

// The device memory image of a sequence: two bytes per row slot. The first
// byte of a slot is the port pattern or a command's parameter, the second
// the time (bit 7 clear) or a command code (bit 7 set). 0xFF 0xFF marks an
// empty slot.
using UploadImage = std::array<std::uint8_t, UPLOAD_IMAGE_SIZE>;

// The byte the device's output port gets for a pattern: channel bits moved
// to their port bits. Only the low eight bits of the pattern count.
std::uint8_t PortPattern(std::uint32_t pattern);

// The two bytes of a row's slot; false for a command row whose letter the
// device does not know, which has no slot.
bool EncodeRow(const SequenceRow &row, std::uint8_t &first, std::uint8_t &second);

// Rows 0 .. count - 1 of the table, in slots from 0 on. Rows without a slot
// are left out, so the rows after them move up; every slot after the last
// row is empty.
UploadImage EncodeUploadImage(const RowTable &rows);
