#include "platform/message_box.h"

#include <QPushButton>

namespace
{

std::function<void(const MessageBoxRequest &)> &Interceptor()
{
    static std::function<void(const MessageBoxRequest &)> interceptor;
    return interceptor;
}

std::function<bool(const QuestionRequest &)> &QuestionInterceptor()
{
    static std::function<bool(const QuestionRequest &)> interceptor;
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

bool AskQuestion(const QuestionRequest &request)
{
    if (QuestionInterceptor())
        return QuestionInterceptor()(request);
    QMessageBox box(request.icon, request.title, request.text, QMessageBox::NoButton, request.owner);
    QPushButton *accept = request.accept.isEmpty() ? box.addButton(QMessageBox::Yes)
                                                   : box.addButton(request.accept, QMessageBox::AcceptRole);
    QPushButton *reject = request.reject.isEmpty() ? box.addButton(QMessageBox::No)
                                                   : box.addButton(request.reject, QMessageBox::RejectRole);
    box.setDefaultButton(request.acceptIsDefault ? accept : reject);
    box.setEscapeButton(reject);
    box.exec();
    return box.clickedButton() == accept;
}

void InterceptQuestions(std::function<bool(const QuestionRequest &)> interceptor)
{
    QuestionInterceptor() = std::move(interceptor);
}
