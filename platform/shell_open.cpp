#include "platform/shell_open.h"

#include "platform/interceptor.h"

#include <QDesktopServices>

void OpenUrl(const QUrl &url)
{
    if (const auto &interceptor = InterceptorFor<void(const QUrl &)>())
        interceptor(url);
    else
        QDesktopServices::openUrl(url);
}

void InterceptOpenUrl(std::function<void(const QUrl &)> interceptor)
{
    InterceptorFor<void(const QUrl &)>() = std::move(interceptor);
}
