// The sound module of pemblo-cli: play, with the transmitter on Qt Core,
// loaded only to play an upload.

#include "cli/quiet_qt_messages.h"
#include "cli/upload_commands.h"
#include "upload/fsk_transmitter.h"

#include <QCoreApplication>

#include <cstdio>

namespace
{

int RunPlay(const Arguments &arguments)
{
    UploadImage image;
    if (const int code = LoadImage(arguments.Positionals()[0], image))
        return code;
    QuietQtMessages();
    int argc = 1;
    char name[] = "pemblo-cli";
    char *argv[] = { name, nullptr };
    QCoreApplication application(argc, argv);
    FskTransmitter transmitter;
    QObject::connect(&transmitter, &FskTransmitter::Done, &application, &QCoreApplication::quit);
    if (!transmitter.Transmit(nullptr, UPLOAD_BLOCK_COUNT, image.data())) {
        std::fprintf(stderr, "pemblo-cli play: %s\n", transmitter.ErrorText().toLocal8Bit().constData());
        return EXIT_FAILED;
    }
    application.exec();
    transmitter.Release();
    return 0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int PembloCliPlay(const Arguments &arguments)
{
    return RunPlay(arguments);
}
