#include "platform/message_box.h"

namespace
{

std::function<void(const MessageBoxRequest &)> &Interceptor()
{
    static std::function<void(const MessageBoxRequest &)> interceptor;
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
