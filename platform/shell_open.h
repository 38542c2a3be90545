#pragma once

#include <QUrl>

#include <functional>

// Opens an address in the user's web browser, as the shell's "open" verb
// did; what comes of it is not examined. Tests replace the browser by an
// interceptor (an empty function opens addresses again).
void OpenUrl(const QUrl &url);
void InterceptOpenUrl(std::function<void(const QUrl &)> interceptor);
