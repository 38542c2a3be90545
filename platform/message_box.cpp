#include "platform/message_box.h"

#include "platform/interceptor.h"

#include <QPushButton>

namespace
{

auto &Interceptor()
{
    return InterceptorFor<void(const MessageBoxRequest &)>();
}

auto &QuestionInterceptor()
{
    return InterceptorFor<bool(const QuestionRequest &)>();
}

auto &LaterInterceptor()
{
    return InterceptorFor<std::optional<bool>(const QuestionRequest &)>();
}

} // namespace

void ShowMessageBox(
    QWidget *owner, const QString &text, const QString &title, QMessageBox::Icon icon, const QString &details)
{
    if (Interceptor()) {
        Interceptor()({ owner, text, title, icon, details });
        return;
    }
    QMessageBox box(icon, title, text, QMessageBox::Ok, owner);
    box.setDetailedText(details);
    box.exec();
}

void ShowNotice(QWidget *owner, const QString &text, const QString &title)
{
    if (Interceptor()) {
        Interceptor()({ owner, text, title, QMessageBox::Warning, QString(), false });
        return;
    }
    auto *box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, owner);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
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

std::optional<bool> AskQuestionOrLater(const QuestionRequest &request, const QString &later)
{
    if (LaterInterceptor())
        return LaterInterceptor()(request);
    QMessageBox box(request.icon, request.title, request.text, QMessageBox::NoButton, request.owner);
    QPushButton *accept = box.addButton(request.accept, QMessageBox::AcceptRole);
    QPushButton *reject = box.addButton(request.reject, QMessageBox::DestructiveRole);
    QPushButton *putOff = box.addButton(later, QMessageBox::RejectRole);
    box.setDefaultButton(request.acceptIsDefault ? accept : putOff);
    box.setEscapeButton(putOff);
    box.exec();
    if (box.clickedButton() == accept)
        return true;
    if (box.clickedButton() == reject)
        return false;
    return std::nullopt;
}

void InterceptQuestionsOrLater(std::function<std::optional<bool>(const QuestionRequest &)> interceptor)
{
    LaterInterceptor() = std::move(interceptor);
}
