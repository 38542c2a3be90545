#pragma once

// The LED Editor's commands. The accelerator table sends these ids; the
// context menu has ids of its own for most of them (MenuItemCommand).
inline constexpr int ID_EDIT_CUT = 137;
inline constexpr int ID_EDIT_COPY = 138;
inline constexpr int ID_EDIT_PASTE = 139;
inline constexpr int ID_EDIT_DELETE = 140;
inline constexpr int ID_EDIT_INSERT_EMPTY = 141;
inline constexpr int ID_EDIT_INVERT = 144;
inline constexpr int ID_EDIT_MIRROR = 145;
inline constexpr int ID_EDIT_SHIFT_LEFT = 146;
inline constexpr int ID_EDIT_SHIFT_RIGHT = 147;
inline constexpr int ID_LINE_DOWN = 32772;
inline constexpr int ID_LINE_UP = 32773;
inline constexpr int ID_EXTEND_UP = 32774;
inline constexpr int ID_EXTEND_DOWN = 32775;
inline constexpr int ID_COMMAND_GOTO = 32777;
inline constexpr int ID_COMMAND_IF_ON = 32778;
inline constexpr int ID_COMMAND_IF_OFF = 32779;
inline constexpr int ID_COMMAND_DIM = 32780;
inline constexpr int ID_COMMAND_FADE_OUT = 32781;
inline constexpr int ID_COMMAND_FADE_IN = 32782;
inline constexpr int ID_COMMAND_MIRROR_OFF = 32783;
inline constexpr int ID_COMMAND_MIRROR_TOGGLE = 32784;
inline constexpr int ID_BLINK_COMMAND = 32785;
inline constexpr int ID_DISCARD_VALUE = 32786;
inline constexpr int ID_COMMAND_MIRROR_ON = 32787;
inline constexpr int ID_TOGGLE_CHANNEL_1 = 32788; // .. ID_TOGGLE_CHANNEL_1 + 7 for channel 8
inline constexpr int ID_TOGGLE_CHANNEL_8 = 32795;
inline constexpr int ID_ENTER = 32796;
inline constexpr int ID_APPLY_VALUE = 32798;
inline constexpr int ID_EDIT_UNDO = 32800;
inline constexpr int ID_EDIT_REDO = 32801;
// The editor's own windows: making rows from a pattern, recording the
// sequence as an animation.
inline constexpr int ID_GENERATE = 32820;
inline constexpr int ID_EXPORT_ANIMATION = 32821;

// Items of the context menu. "Trace" has no key; "MIRROR TOGGLE" uses the
// command's own id.
inline constexpr int ID_MENU_CUT = 40001;
inline constexpr int ID_MENU_COPY = 40002;
inline constexpr int ID_MENU_PASTE = 40003;
inline constexpr int ID_MENU_DELETE = 40004;
inline constexpr int ID_MENU_INSERT_EMPTY = 40005;
inline constexpr int ID_MENU_MIRROR = 40006;
inline constexpr int ID_MENU_INVERT = 40007;
inline constexpr int ID_MENU_SHIFT_LEFT = 40008;
inline constexpr int ID_MENU_SHIFT_RIGHT = 40009;
inline constexpr int ID_MENU_TRACE = 40010;
inline constexpr int ID_MENU_BLINK = 40011;
inline constexpr int ID_MENU_GOTO = 40012;
inline constexpr int ID_MENU_IF_ON = 40013;
inline constexpr int ID_MENU_IF_OFF = 40014;
inline constexpr int ID_MENU_DIM = 40015;
inline constexpr int ID_MENU_FADE_IN = 40016;
inline constexpr int ID_MENU_FADE_OUT = 40017;
inline constexpr int ID_MENU_MIRROR_ON = 40018;
inline constexpr int ID_MENU_MIRROR_OFF = 40019;
inline constexpr int ID_MENU_UNDO = 40020;
inline constexpr int ID_MENU_REDO = 40021;
// The section after the device's own items. Check sequence opens the window
// with the sequence checker's findings for the rows.
inline constexpr int ID_MENU_CHECK_SEQUENCE = 40022;
inline constexpr int ID_MENU_GENERATE = 40023;
inline constexpr int ID_MENU_EXPORT_ANIMATION = 40024;
inline constexpr int ID_MENU_SAVE_UPLOAD_WAV = 40025;

// The command of a context-menu item: the one its key sends, so that the
// item does what its text and key name say. Other ids come back unchanged.
int MenuItemCommand(int id);
