#pragma once

#include "core/sequence_row.h"

#include <QString>

class CLedEditorWnd;

// What a screen reader makes of the LED Editor: its grid as a table of a
// row per sequence row and the columns index, time and the channels; a
// command line's name and parameter span the channel columns as painted.

// Makes Qt's accessibility use the table for every LED Editor; once is
// enough.
void InstallLedEditorAccessible();

// The text of a cell in column `column` (0 the index, 1 the time, 2.. the
// channels) of a line: "on", "off", "20", "GOTO", "3".
QString CellText(const SequenceRow &row, int line, int column, int channelCount);
// The line read as a whole: "row 3, time 20, channels 1 and 3 on".
QString LineSummary(const SequenceRow &row, int line, int channelCount);
// The channel column (from 0) where a command line's parameter starts.
int ParameterChannel(int channelCount, int cellWidth);

// Tells a screen reader that the keyboard is on `line` now.
void ReportFocusedLine(CLedEditorWnd &editor, int line);
// Tells it that the table has rows from `first` on inserted or removed.
void ReportRowCountChange(CLedEditorWnd &editor, int first, int before, int after);
