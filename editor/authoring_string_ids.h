#pragma once

// The texts of the Generate and Export animation windows in the string table,
// and of the notes that say why the LED Editor refused an edit.

inline constexpr int IDS_GENERATE_TITLE = 61550;
inline constexpr int IDS_GENERATE_PURPOSE = 61551;
inline constexpr int IDS_GENERATE_PATTERN = 61552;
// The names of the patterns, in the order of ALL_PATTERNS.
inline constexpr int IDS_GENERATE_FIRST_PATTERN_NAME = 61553;
inline constexpr int IDS_GENERATE_CHANNELS = 61559;
inline constexpr int IDS_GENERATE_CHANNELS_TO = 61560;
inline constexpr int IDS_GENERATE_TIME = 61561;
inline constexpr int IDS_GENERATE_TICKS = 61562;
inline constexpr int IDS_GENERATE_REPEAT = 61563;
inline constexpr int IDS_GENERATE_REVERSE = 61565;
inline constexpr int IDS_GENERATE_SHRINK = 61566;
inline constexpr int IDS_GENERATE_SHARE = 61567;
inline constexpr int IDS_GENERATE_SEED = 61568;
inline constexpr int IDS_GENERATE_FADE = 61569;
inline constexpr int IDS_GENERATE_PREVIEW = 61570;
inline constexpr int IDS_GENERATE_ROW_COUNT = 61571;
inline constexpr int IDS_GENERATE_DOES_NOT_FIT = 61572;
inline constexpr int IDS_GENERATE_NO_SELECTION = 61573;
inline constexpr int IDS_GENERATE_INSERT = 61574;
inline constexpr int IDS_GENERATE_CLOSE = 61575;
// The name of the change an insertion makes, from the pattern's name.
inline constexpr int IDS_GENERATE_CHANGE = 61576;
// Why the pattern is refused: a fade too slow to light its LEDs (%1, and the
// slowest that does, %2), a first channel after the last.
inline constexpr int IDS_GENERATE_FADE_TOO_SLOW = 61577;
inline constexpr int IDS_GENERATE_CHANNELS_REVERSED = 61578;

inline constexpr int IDS_EXPORT_TITLE = 61580;
inline constexpr int IDS_EXPORT_PURPOSE = 61581;
inline constexpr int IDS_EXPORT_FILE = 61582;
inline constexpr int IDS_EXPORT_BROWSE = 61583;
inline constexpr int IDS_EXPORT_LENGTH = 61584;
inline constexpr int IDS_EXPORT_SECONDS = 61585;
inline constexpr int IDS_EXPORT_SIZE = 61586;
inline constexpr int IDS_EXPORT_PIXELS = 61587;
inline constexpr int IDS_EXPORT_START = 61588;
inline constexpr int IDS_EXPORT_CANCEL = 61589;
inline constexpr int IDS_EXPORT_FILE_FILTER = 61590;
inline constexpr int IDS_EXPORT_UNKNOWN_ENDING = 61591;
inline constexpr int IDS_EXPORT_ODD_SIZE = 61592;
inline constexpr int IDS_EXPORT_FAILED = 61593;
inline constexpr int IDS_EXPORT_CANCELLED = 61594;
inline constexpr int IDS_EXPORT_SAVED = 61595;
inline constexpr int IDS_EXPORT_RUNNING = 61596;
inline constexpr int IDS_EXPORT_STOP_AND_QUIT = 61597;

// The notes: a typed value out of range (%1 to %2; %1 the command, %2 to %3
// for a parameter), lines that do not fit ("%1: %2" of the two parts), a
// clipboard without lines.
inline constexpr int IDS_NOTE_TIME_RANGE = 61440;
inline constexpr int IDS_NOTE_PARAMETER_RANGE = 61441;
inline constexpr int IDS_NOTE_DO_NOT_FIT = 61442;
inline constexpr int IDS_NOTE_ONE_LINE_DOES_NOT_FIT = 61443;
inline constexpr int IDS_NOTE_LINES_DO_NOT_FIT = 61444;
inline constexpr int IDS_NOTE_NO_ROW_FREE = 61445;
inline constexpr int IDS_NOTE_ONE_ROW_FREE = 61446;
inline constexpr int IDS_NOTE_ROWS_FREE = 61447;
inline constexpr int IDS_NOTE_NO_LINES = 61448;
