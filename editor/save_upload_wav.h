#pragma once

class QWidget;
class RowTable;

// "Save upload as WAV…": asks for a file and writes the upload signal of the
// rows into it as a WAV file, the very samples an upload of them plays, for
// a user who plays it from another device. Says so when the file cannot be
// written.
void SaveUploadAsWav(QWidget *owner, const RowTable &rows);
