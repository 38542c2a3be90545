// Pemblo!: the desktop tool for the VELTOR light controller.

#include "app/command_line.h"
#include "app/pemblo_app.h"
#include "app/pemblo_session.h"
#include "app/splash_wnd.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "platform/settings_store.h"
#include "resources/product.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

std::vector<std::string> Arguments(int argc, char **argv)
{
    return std::vector<std::string>(argv + 1, argv + argc);
}

int RefuseCommandLine(const CommandLine &line)
{
    std::fprintf(stderr, "pemblo: %s\n%s", line.error.c_str(), PEMBLO_USAGE);
    return EXIT_USAGE;
}

} // namespace

int main(int argc, char **argv)
{
    // Answered, or refused, before anything needs a screen.
    const CommandLine early = ParseCommandLine(Arguments(argc, argv), true);
    if (early.action == CommandLine::Action::Help) {
        std::fputs(PEMBLO_USAGE, stdout);
        return EXIT_SUCCESS;
    }
    if (early.action == CommandLine::Action::Version) {
        std::printf("Pemblo! %s\n", PRODUCT_VERSION);
        return EXIT_SUCCESS;
    }
    if (early.action == CommandLine::Action::UsageError)
        return RefuseCommandLine(early);
    QApplication application(argc, argv);
    // Qt has taken its own options out: what is left is Pemblo!'s.
    const CommandLine line = ParseCommandLine(Arguments(argc, argv));
    if (line.action == CommandLine::Action::UsageError)
        return RefuseCommandLine(line);
    QApplication::setApplicationVersion(QLatin1String(PRODUCT_VERSION));
    // Named, but without a display name: Qt would add that to every caption
    // ("Error — Pemblo!"), and the captions are the system's own.
    QApplication::setApplicationName(ResourceModule::LoadString(IDS_APP_NAME));

    // Declared after the QApplication and before the application object:
    // the main window goes first, then the document with the LED Editor,
    // and the QApplication last.
    PembloSession session;
    CPembloApp app([&session](const QString &device) { return session.LoadDevice(device); },
        [&session] { return session.CreateMainWindow(); });
    {
        // What the start stores goes into the settings file once.
        const SettingsStore::WriteBatch batch;
        if (!app.InitInstance())
            return EXIT_FAILURE;
        if (!line.file.empty())
            session.OpenFile(QFileInfo(QFile::decodeName(line.file.c_str())).absoluteFilePath());
    }
    // Asked when the start-up is over: the splash picture, which stays on
    // top, would hide the question until then.
    QWidget *mainWindow = app.MainWindow();
    QTimer::singleShot(
        SPLASH_TIME_MS, mainWindow, [&session, mainWindow] { session.StartRecovery(mainWindow); });
    return QApplication::exec();
}
