#include "platform/message_box.h"

#include <QPushButton>

namespace
{

std::function<void(const MessageBoxRequest &)> &Interceptor()
{
    static std::function<void(const MessageBoxRequest &)> interceptor;
    return interceptor;
}

std::function<bool(const ConfirmRequest &)> &ConfirmInterceptor()
{
    static std::function<bool(const ConfirmRequest &)> interceptor;
    return interceptor;
}

std::function<bool(const MessageBoxRequest &)> &QuestionInterceptor()
{
    static std::function<bool(const MessageBoxRequest &)> interceptor;
    return interceptor;
}

} // namespace

void ShowMessageBox(QWidget *owner, const QString &text, const QString &title, QMessageBox::Icon icon)
{
    if (Interceptor()) {
        Interceptor()({ owner, text, title, icon });
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
    box.exec();
}

void InterceptMessageBoxes(std::function<void(const MessageBoxRequest &)> interceptor)
{
    Interceptor() = std::move(interceptor);
}

bool ConfirmWarning(const ConfirmRequest &request)
{
    if (ConfirmInterceptor())
        return ConfirmInterceptor()(request);
    QMessageBox box(QMessageBox::Warning, request.title, request.text, QMessageBox::NoButton, request.owner);
    const QPushButton *proceed = box.addButton(request.proceedText, QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(request.cancelText, QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == proceed;
}

void InterceptConfirmations(std::function<bool(const ConfirmRequest &)> interceptor)
{
    ConfirmInterceptor() = std::move(interceptor);
}

bool AskYesNo(QWidget *owner, const QString &text, const QString &title)
{
    if (QuestionInterceptor())
        return QuestionInterceptor()({ owner, text, title, QMessageBox::Question });
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void InterceptYesNoQuestions(std::function<bool(const MessageBoxRequest &)> interceptor)
{
    QuestionInterceptor() = std::move(interceptor);
}
