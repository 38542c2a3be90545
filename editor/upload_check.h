#pragma once

class QWidget;
class RowTable;

// The check before an upload: true at once when the sequence checker finds
// no error in the rows; otherwise a warning lists the errors and the answer
// to "Upload anyway" or "Cancel" (the default) decides.
bool ConfirmUploadOfRows(QWidget *owner, const RowTable &rows);
