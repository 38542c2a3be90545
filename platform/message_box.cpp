#include "platform/message_box.h"

namespace
{

std::function<void(const MessageBoxRequest &)> &Interceptor()
{
    static std::function<void(const MessageBoxRequest &)> interceptor;
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
