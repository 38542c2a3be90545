// Pemblo!: the desktop tool for the VELTOR light controller.

#include "app/pemblo_app.h"
#include "app/pemblo_session.h"
#include "app/splash_wnd.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "platform/settings_store.h"
#include "resources/product.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv)
{
    // The one command-line option, answered before anything needs a screen;
    // every other command line goes to the start-up as it always did.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("Pemblo! %s\n", PRODUCT_VERSION);
        return EXIT_SUCCESS;
    }
    QApplication application(argc, argv);
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
    }
    // Asked when the start-up is over: the splash picture, which stays on
    // top, would hide the question until then.
    QWidget *mainWindow = app.MainWindow();
    QTimer::singleShot(
        SPLASH_TIME_MS, mainWindow, [&session, mainWindow] { session.StartRecovery(mainWindow); });
    return QApplication::exec();
}
