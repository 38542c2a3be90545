#pragma once

#include <memory>

class CLedEditorWnd;
class QWidget;

// Opens a new LED Editor for a table of rowCount rows beside the simulation
// view: a tool window above the view's main window, placed a twentieth of
// the view's client size in from the view's top-left corner and sized, frame
// included, to show the whole table, but at most 9/10 of the view in each
// direction. It is fitted again when the window manager has framed it and
// when the view reaches its final size, until the user moves or resizes it
// or presses a key or button.
//
// The caller deletes any editor it held before, keeps the new one as its only
// owner and copies the rows into it.
std::unique_ptr<CLedEditorWnd> OpenLedEditor(QWidget *view, int rowCount);
