#include "editor/value_edit.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>

CValueEdit::CValueEdit(QWidget *parent)
    : QLineEdit(parent)
{
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    // Its own menu would take the focus and close it under the menu.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void CValueEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // A menu over the edit leaves the user in it.
    if (event->reason() != Qt::PopupFocusReason)
        emit focusLost();
}
