#pragma once

#include <QStringList>

class QWidget;
class RowTable;

// The errors the sequence checker finds in the rows, as lines (the first
// ten, then "and N more"); empty when there are none.
QStringList UploadCheckLines(const RowTable &rows);

// The check before an upload: true at once when the sequence checker finds
// no error in the rows; otherwise a warning lists the errors and the answer
// to "Upload anyway" or "Cancel" (the default) decides.
bool ConfirmUploadOfRows(QWidget *owner, const RowTable &rows);
