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

// A warning that asks before something goes ahead: a button that goes ahead
// and one that does not, which is the default and answers Esc.
struct ConfirmRequest {
    QWidget *owner;
    QString text;
    QString title;
    QString proceedText;
    QString cancelText;
};

// True when the user chose to go ahead.
bool ConfirmWarning(const ConfirmRequest &request);

// Replaces the question by a call of interceptor, whose answer counts as the
// user's (an empty function asks again).
void InterceptConfirmations(std::function<bool(const ConfirmRequest &)> interceptor);

// Asks a question with the buttons Yes and No, No the default; true for Yes.
bool AskYesNo(QWidget *owner, const QString &text, const QString &title);
// Replaces the question by a call of interceptor, which answers it.
void InterceptYesNoQuestions(std::function<bool(const MessageBoxRequest &)> interceptor);
