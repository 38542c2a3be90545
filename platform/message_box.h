#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// Every message box of Pemblo! goes through here, so that tests can see what
// would have been shown instead of blocking on a modal dialog.
struct MessageBoxRequest {
    QWidget *owner;
    QString text;
    QString title;
    QMessageBox::Icon icon;
    // Shown on request below the text, as Qt's boxes show details.
    QString details;
    bool modal = true;
};

// Shows the box modally, with only an OK button.
void ShowMessageBox(QWidget *owner, const QString &text, const QString &title,
    QMessageBox::Icon icon = QMessageBox::NoIcon, const QString &details = QString());
// Shows the box and goes on at once: a notice that must not stand in the way
// of the work. It goes with its OK button.
void ShowNotice(QWidget *owner, const QString &text, const QString &title);

// Replaces the box by a call of interceptor (an empty function shows boxes
// again).
void InterceptMessageBoxes(std::function<void(const MessageBoxRequest &)> interceptor);

// A question with two answers: one that goes ahead and one that does not,
// which Escape chooses. Empty answers are the standard Yes and No. Where
// going ahead is risky, the default button is the one that does not.
struct QuestionRequest {
    QWidget *owner;
    QString text;
    QString title;
    QString accept;
    QString reject;
    bool acceptIsDefault = true;
    QMessageBox::Icon icon = QMessageBox::Question;
};

// True when the user chose the first answer.
bool AskQuestion(const QuestionRequest &request);
void InterceptQuestions(std::function<bool(const QuestionRequest &)> interceptor);

// The same question where both answers are buttons of their own and Escape,
// or closing the box, puts the decision off: nullopt then, else true for the
// first answer. later names the button that puts it off.
std::optional<bool> AskQuestionOrLater(const QuestionRequest &request, const QString &later);
void InterceptQuestionsOrLater(std::function<std::optional<bool>(const QuestionRequest &)> interceptor);
