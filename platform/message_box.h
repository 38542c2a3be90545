#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Every message box of Pemblo! goes through here, so that tests can see what
// would have been shown instead of blocking on a modal dialog.
struct MessageBoxRequest {
    QWidget *owner;
    QString text;
    QString title;
    QMessageBox::Icon icon;
};

// Shows the box modally, with only an OK button.
void ShowMessageBox(
    QWidget *owner, const QString &text, const QString &title, QMessageBox::Icon icon = QMessageBox::NoIcon);

// Replaces the box by a call of interceptor (an empty function shows boxes
// again).
void InterceptMessageBoxes(std::function<void(const MessageBoxRequest &)> interceptor);

// Asks a question with the buttons Yes and No, No the default; true for Yes.
bool AskYesNo(QWidget *owner, const QString &text, const QString &title);
// Replaces the question by a call of interceptor, which answers it.
void InterceptYesNoQuestions(std::function<bool(const MessageBoxRequest &)> interceptor);
