#pragma once

#include <QLoggingCategory>

// Qt's debug messages and warnings speak to developers ("QStandardPaths:
// XDG_RUNTIME_DIR not set", a sound server that does not answer); a command
// says what went wrong in its own words. Called before a command starts Qt;
// QT_LOGGING_RULES brings the messages back.
inline void QuietQtMessages()
{
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false\n*.warning=false"));
}
