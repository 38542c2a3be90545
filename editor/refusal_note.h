#pragma once

#include "editor/edit_refusal.h"

#include <QLabel>

// The sentence that says why, in the user's language: "Times go from 1 to
// 127", "5 lines do not fit: 3 rows are free".
QString RefusalText(const EditRefusal &refusal);

// A short note that says why the LED Editor refused an edit, shown like a
// tooltip beside the line and gone with the next key or click anywhere in
// the program, or when the editor's window goes inactive or hides. A screen
// reader hears it as an alert; its accessible name is the sentence.
class CRefusalNote : public QLabel
{
public:
    explicit CRefusalNote(QWidget *owner);

    // Shows the text with its top left corner at a global point, or further
    // left where the screen ends.
    void ShowAt(const QString &text, const QPoint &globalPoint);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *m_owner;
};
