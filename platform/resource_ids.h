#pragma once

// Numeric ids of commands and resources. Toolbar buttons, update handlers and
// the string table meet on these numbers: the string of a command id holds
// its status prompt and, after a newline, its tooltip.

// Commands of the main window.
inline constexpr int ID_START_SIMULATION = 130;
inline constexpr int ID_STOP_SIMULATION = 131;
inline constexpr int ID_UPLOAD = 132;
inline constexpr int ID_OPEN_EDITOR = 134;
inline constexpr int ID_GOTO_SITE = 136;
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_CLOSE = 57602;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;

// Strings besides those of the commands.
inline constexpr int IDR_MAINFRAME = 128; // the document template string, toolbar, icon
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
// The sentences of the findings, one per member of FindingTexts in order,
// up to 61341. English is the checker's own; other languages have them here.
inline constexpr int IDS_FINDING_TEXTS = 61320;

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
// whose English text is the reason's.
inline constexpr int IDS_UPLOAD_CANNOT_START = 61010;
inline constexpr int IDS_UPLOAD_ERROR_TITLE = 61011;
inline constexpr int IDS_UPLOAD_REASON_FIRST = 61012;
inline constexpr int IDS_UPLOAD_REASON_LAST = 61029;

// Other resources.
inline constexpr int IDB_SPLASH = 101;
inline constexpr int IDB_TOOLBAR_NORMAL = 102;
inline constexpr int IDB_TOOLBAR_DISABLED = 103;
inline constexpr int IDB_TOOLBAR_HOT = 104;
inline constexpr int IDB_TOOLBAR_MASK = 105;
inline constexpr int IDR_EDITOR_MENU = 149;
inline constexpr int IDR_EDITOR_ACCELERATORS = 150;
inline constexpr int IDD_LANGUAGE = 152;
