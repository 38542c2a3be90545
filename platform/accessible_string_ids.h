#pragma once

// What a screen reader is told about the device picture and the LED
// Editor's lines, in the string table.

inline constexpr int IDS_ACCESS_ON = 61600;
inline constexpr int IDS_ACCESS_OFF = 61601;
// %1 the row, %2 its time, %3 which channels are on.
inline constexpr int IDS_ACCESS_PATTERN_ROW = 61602;
// %1 the row, %2 the command, %3 its parameter.
inline constexpr int IDS_ACCESS_COMMAND_ROW = 61603;
inline constexpr int IDS_ACCESS_CHANNEL_ON = 61604;
inline constexpr int IDS_ACCESS_CHANNELS_ON = 61605;
inline constexpr int IDS_ACCESS_NO_CHANNEL_ON = 61606;
// "%1 and %2": the last of several channels.
inline constexpr int IDS_ACCESS_AND = 61607;
inline constexpr int IDS_ACCESS_INDEX_COLUMN = 61608;
inline constexpr int IDS_ACCESS_TIME_COLUMN = 61609;
inline constexpr int IDS_ACCESS_CHANNEL_COLUMN = 61610;
inline constexpr int IDS_ACCESS_EDITOR = 61611;
inline constexpr int IDS_ACCESS_DEVICE = 61612;
// %1 the LED, %2 on or off.
inline constexpr int IDS_ACCESS_LED = 61613;
// The value edit of a command's parameter; a time's is named by the column.
inline constexpr int IDS_ACCESS_PARAMETER = 61614;
