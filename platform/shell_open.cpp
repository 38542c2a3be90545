#include "platform/shell_open.h"

#include <QDesktopServices>

namespace
{

std::function<void(const QUrl &)> &Interceptor()
{
    static std::function<void(const QUrl &)> interceptor;
    return interceptor;
}

} // namespace

void OpenUrl(const QUrl &url)
{
    if (Interceptor())
        Interceptor()(url);
    else
        QDesktopServices::openUrl(url);
}

void InterceptOpenUrl(std::function<void(const QUrl &)> interceptor)
{
    Interceptor() = std::move(interceptor);
}
