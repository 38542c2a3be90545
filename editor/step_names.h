#pragma once

#include "editor/editor_step.h"

#include <QString>

#include <cstdint>

// The names of the LED Editor's undo steps, as the context menu shows them
// after "Undo" and "Redo", from the string table of the current language.

// The step of an editor command: "Delete 3 lines", "Invert", "GOTO", ...
// `before` is the state it started from.
QString CommandStepName(int command, const EditorSnapshot &before, int rowCountAfter);
// A value typed into the value edit: "Time 44", "Parameter 12".
QString ValueStepName(bool time, std::uint16_t value);
// A drag that switched channels on (set) or off.
QString DragStepName(bool set);

// The context menu's items: "Undo <step>", "Redo <step>".
QString UndoItemText(const QString &step);
QString RedoItemText(const QString &step);
