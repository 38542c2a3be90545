#pragma once

class QString;
class QWidget;
class RowTable;

// "Save upload as WAV…": checks the rows as an upload does (a warning lists
// the errors and waits for "Upload anyway"), asks for a file, starting
// beside the sequence file at sequencePath with its name, and writes the
// upload signal of the rows into it as a WAV file, the very samples an
// upload of them plays, for a user who plays it from another device. Says
// so when the file cannot be written. Its windows are centred over owner.
void SaveUploadAsWav(QWidget *owner, const RowTable &rows, const QString &sequencePath);
