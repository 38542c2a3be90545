#pragma once

// The one registry of string ids: every text the program shows from the
// string table has its id here, and a text under that number in both
// resources/english/strings.json.in and resources/german/strings.json.in
// (tests/resources/string_ids_test.cpp checks it). An id named ..._LAST, or
// ...LAST... beside a ...FIRST..., closes a range of texts that starts at the
// id of the same name without it; a range may keep room for more texts, but
// each of its texts is there in both languages. Commands keep their ids with them
// (platform/resource_ids.h, editor/editor_command_ids.h); the string of a
// main-window command id is its status prompt and tooltip.

// The application.
inline constexpr int IDS_APP_NAME = 57344;
inline constexpr int IDS_READY = 57345;
inline constexpr int IDS_CANT_LOAD_DRIVER = 57666;
// The sequence check: its window, a finding as a line ("row %1: %2: %3",
// row, severity, text) and the question before an upload with errors (%1:
// the errors; "and %1 more" for those not listed).
inline constexpr int IDS_CHECK_TITLE = 61300;
inline constexpr int IDS_CHECK_INTRO = 61301;
inline constexpr int IDS_CHECK_NO_PROBLEMS = 61302;
inline constexpr int IDS_CHECK_FINDING = 61303;
inline constexpr int IDS_CHECK_ERROR = 61304;
inline constexpr int IDS_CHECK_WARNING = 61305;
inline constexpr int IDS_UPLOAD_CHECK_TITLE = 61306;
inline constexpr int IDS_UPLOAD_CHECK_TEXT = 61307;
inline constexpr int IDS_UPLOAD_CHECK_MORE = 61308;
inline constexpr int IDS_UPLOAD_ANYWAY = 61309;
inline constexpr int IDS_UPLOAD_CANCEL = 61310;
// The sentences of the findings, one per member of FindingTexts in order.
// English is the checker's own; other languages have them here.
inline constexpr int IDS_FINDING_TEXTS = 61320;
inline constexpr int IDS_FINDING_TEXTS_LAST = 61341;

// The upload's progress window, the question when the main window closes
// during an upload, and the LED Editor's "Save upload as WAV…".
inline constexpr int IDS_UPLOAD_PROGRESS_TITLE = 61200;
inline constexpr int IDS_UPLOAD_PROGRESS_PROMPT = 61201;
inline constexpr int IDS_UPLOAD_PROGRESS = 61202; // %1 s played of %2 s
inline constexpr int IDS_UPLOAD_STOP = 61203;
inline constexpr int IDS_UPLOAD_STOP_AND_QUIT = 61204;
inline constexpr int IDS_SAVE_UPLOAD_WAV = 61205;
inline constexpr int IDS_WAV_FILTER = 61206;
inline constexpr int IDS_CANNOT_WRITE_FILE = 61207; // %1 the file

// The sound path in the Upload window, and the check of what left the
// computer at the end of the progress window.
inline constexpr int IDS_UPLOAD_OUTPUT_LABEL = 61230;
inline constexpr int IDS_UPLOAD_OUTPUT_INTRO = 61231;
inline constexpr int IDS_UPLOAD_NO_OUTPUT = 61232;
inline constexpr int IDS_UPLOAD_OUTPUT_GONE = 61233; // %1 the output's name
inline constexpr int IDS_UPLOAD_MUTED = 61234;
inline constexpr int IDS_UPLOAD_VOLUME_LOW = 61235; // %1 the volume in percent
inline constexpr int IDS_UPLOAD_VOLUME_HIGH = 61236; // %1 the volume in percent
inline constexpr int IDS_UPLOAD_BLUETOOTH = 61237;
inline constexpr int IDS_UPLOAD_HDMI = 61238;
inline constexpr int IDS_UPLOAD_UNMUTE = 61239;
inline constexpr int IDS_UPLOAD_UNMUTED = 61240;
inline constexpr int IDS_UPLOAD_UNMUTE_FAILED = 61241;
inline constexpr int IDS_UPLOAD_START = 61242;
inline constexpr int IDS_UPLOAD_INTACT = 61243; // %1 blocks, %2 peak
inline constexpr int IDS_UPLOAD_DISTURBED = 61244; // %1 disturbed of %2 blocks, %3 peak
inline constexpr int IDS_UPLOAD_BLOCK_CAUSE = 61245; // %1 block, %2 cause
// The causes, in the order of DisturbanceCause's AnotherSound, Gap,
// Clipped, TooQuiet, then Unknown.
inline constexpr int IDS_UPLOAD_CAUSE_ANOTHER_SOUND = 61246;
inline constexpr int IDS_UPLOAD_CAUSE_GAP = 61247;
inline constexpr int IDS_UPLOAD_CAUSE_CLIPPED = 61248;
inline constexpr int IDS_UPLOAD_CAUSE_TOO_QUIET = 61249;
inline constexpr int IDS_UPLOAD_CAUSE_UNKNOWN = 61250;
inline constexpr int IDS_UPLOAD_NOT_CHECKED = 61251;
inline constexpr int IDS_UPLOAD_CHECK_SCOPE = 61252;
inline constexpr int IDS_UPLOAD_AGAIN = 61253;
inline constexpr int IDS_UPLOAD_CLOSE = 61254;
inline constexpr int IDS_UPLOAD_DEFAULT_OUTPUT = 61255; // %1 the output's description

// Strings of the file commands: the "save changes?" question (its buttons
// are Qt's own), the file dialogs' captions and their filter for every file.
inline constexpr int IDS_SAVE_CHANGES = 61000;
inline constexpr int IDS_OPEN_CAPTION = 61001;
inline constexpr int IDS_SAVE_AS_CAPTION = 61002;
inline constexpr int IDS_ALL_FILES_FILTER = 61003;

// Strings of an upload that cannot start: the message, its title and, in the
// range that follows, the reasons the sound output gives, each under the id
// whose English text is the reason's. A new reason takes the next free id.
inline constexpr int IDS_UPLOAD_CANNOT_START = 61010;
inline constexpr int IDS_UPLOAD_ERROR_TITLE = 61011;
inline constexpr int IDS_UPLOAD_REASON_FIRST = 61012;
inline constexpr int IDS_UPLOAD_REASON_LAST = 61029;

// The texts of the Generate and Export animation windows in the string table.

inline constexpr int IDS_GENERATE_TITLE = 61550;
inline constexpr int IDS_GENERATE_PURPOSE = 61551;
inline constexpr int IDS_GENERATE_PATTERN = 61552;
// The names of the patterns, in the order of ALL_PATTERNS.
inline constexpr int IDS_GENERATE_FIRST_PATTERN_NAME = 61553;
inline constexpr int IDS_GENERATE_LAST_PATTERN_NAME = 61558;
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

// The notes that say why the LED Editor refused an edit: a typed value out of
// range (%1 to %2; %1 the command, %2 to %3 for a parameter), lines that do
// not fit ("%1: %2" of the two parts), a clipboard without lines.
inline constexpr int IDS_NOTE_TIME_RANGE = 61440;
inline constexpr int IDS_NOTE_PARAMETER_RANGE = 61441;
inline constexpr int IDS_NOTE_DO_NOT_FIT = 61442;
inline constexpr int IDS_NOTE_ONE_LINE_DOES_NOT_FIT = 61443;
inline constexpr int IDS_NOTE_LINES_DO_NOT_FIT = 61444;
inline constexpr int IDS_NOTE_NO_ROW_FREE = 61445;
inline constexpr int IDS_NOTE_ONE_ROW_FREE = 61446;
inline constexpr int IDS_NOTE_ROWS_FREE = 61447;
inline constexpr int IDS_NOTE_NO_LINES = 61448;

// The LED Editor's undo history: the Undo and Redo items ("%1" the step),
// the names of its steps and how they count lines.
inline constexpr int IDS_UNDO_ITEM = 61400;
inline constexpr int IDS_REDO_ITEM = 61401;
inline constexpr int IDS_ONE_LINE = 61402;
inline constexpr int IDS_LINES = 61403;
inline constexpr int IDS_STEP_DELETE = 61404;
inline constexpr int IDS_STEP_CUT = 61405;
inline constexpr int IDS_STEP_PASTE = 61406;
inline constexpr int IDS_STEP_INSERT_EMPTY_LINE = 61407;
inline constexpr int IDS_STEP_INSERT_EMPTY_LINES = 61408;
inline constexpr int IDS_STEP_INVERT = 61409;
inline constexpr int IDS_STEP_MIRROR = 61410;
inline constexpr int IDS_STEP_SHIFT_LEFT = 61411;
inline constexpr int IDS_STEP_SHIFT_RIGHT = 61412;
inline constexpr int IDS_STEP_BLINK = 61413;
inline constexpr int IDS_STEP_TOGGLE_CHANNEL = 61414;
inline constexpr int IDS_STEP_TIME = 61415;
inline constexpr int IDS_STEP_PARAMETER = 61416;
inline constexpr int IDS_STEP_PAINT = 61417;
inline constexpr int IDS_STEP_ERASE = 61418;

// The question at start when a recovery file holds unsaved changes, and what
// is said when a recovery file is damaged, cannot be written or has no slot.
inline constexpr int IDS_RECOVERY_QUESTION = 61420;
inline constexpr int IDS_RECOVERY_RESTORE = 61421;
inline constexpr int IDS_RECOVERY_DISCARD = 61422;
inline constexpr int IDS_RECOVERY_DAMAGED = 61423;
inline constexpr int IDS_RECOVERY_LATER = 61424;
inline constexpr int IDS_RECOVERY_NOT_KEPT = 61425; // %1 the folder, %2 why
inline constexpr int IDS_RECOVERY_SLOTS_TAKEN = 61426;

// What a screen reader is told about the device picture and the LED
// Editor's lines.
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
