#pragma once

#include "resources/string_ids.h"

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

// Resources besides the strings (whose ids are in resources/string_ids.h,
// included here for the files that use both).
inline constexpr int IDR_MAINFRAME = 128; // the document template string, toolbar, icon
inline constexpr int IDB_SPLASH = 101;
inline constexpr int IDB_TOOLBAR_NORMAL = 102;
inline constexpr int IDB_TOOLBAR_DISABLED = 103;
inline constexpr int IDB_TOOLBAR_HOT = 104;
inline constexpr int IDB_TOOLBAR_MASK = 105;
inline constexpr int IDR_EDITOR_MENU = 149;
inline constexpr int IDR_EDITOR_ACCELERATORS = 150;
inline constexpr int IDD_LANGUAGE = 152;
