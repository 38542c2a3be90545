#pragma once

#include <QLineEdit>

// The in-place edit for a line's time or a command's parameter: digits only,
// laid over the cell. When it loses the focus it asks its editor to apply
// what was typed (focusLost).
class CValueEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CValueEdit(QWidget *parent);

signals:
    void focusLost();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
