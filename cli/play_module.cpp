// The sound module of pemblo-cli: outputs and play, with the transmitter on
// Qt Core, loaded only to list the outputs or play an upload.

#include "cli/decode_command.h"
#include "cli/quiet_qt_messages.h"
#include "cli/upload_commands.h"
#include "upload/fsk_transmitter.h"
#include "upload/sound_module.h"
#include "upload/sound_path_check.h"

#include <QCoreApplication>

#include <cstdio>

namespace
{

constexpr int EXIT_NOT_RECORDED = 2;

// A name or description as one field of a line: tabs and line breaks would
// split it.
std::string Field(std::string text)
{
    for (char &c : text)
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    return text;
}

int RunOutputs(const Arguments &)
{
    SoundOutputs outputs;
    std::string error;
    if (!ListSoundOutputsNow(outputs, error)) {
        std::fprintf(stderr, "pemblo-cli outputs: %s\n", error.c_str());
        return EXIT_FAILED;
    }
    for (const SoundOutput &output : outputs)
        std::printf("%s\t%s\t%s\n", Field(output.name).c_str(), Field(output.description).c_str(),
            SoundOutputFlags(output).c_str());
    return 0;
}

const char *FindingWarning(SoundPathFinding finding)
{
    switch (finding) {
    case SoundPathFinding::VolumeLow: return "its volume is under 50 %; the device may not hear the upload";
    case SoundPathFinding::VolumeHigh: return "its volume is over 100 %; the upload may be clipped";
    case SoundPathFinding::Bluetooth:
        return "it is a Bluetooth output, which delays and compresses the sound";
    case SoundPathFinding::HdmiOrDisplayPort: return "it is an HDMI or DisplayPort output, usually a screen";
    case SoundPathFinding::NoOutput:
    case SoundPathFinding::ChosenOutputGone:
    case SoundPathFinding::Muted: break;
    }
    return nullptr;
}

// The output to play on, checked: its name (empty for the server's default
// where the server lists none), or a refusal with its exit code.
int ChooseOutput(const Arguments &arguments, std::string &sink)
{
    const std::string asked = arguments.Value("--output");
    SoundOutputs outputs;
    std::string error;
    // Without a list the server may still play; the stream says then.
    if (!ListSoundOutputsNow(outputs, error) || outputs.empty()) {
        sink = asked;
        return 0;
    }
    const SoundPath path = CheckSoundPath(outputs, asked);
    const SoundOutput &output = outputs[static_cast<std::size_t>(path.output)];
    for (const SoundPathFinding finding : path.findings) {
        if (finding == SoundPathFinding::ChosenOutputGone) {
            std::fprintf(stderr, "pemblo-cli play: there is no sound output called %s\n", asked.c_str());
            return EXIT_FAILED;
        }
        if (finding == SoundPathFinding::Muted) {
            std::fprintf(stderr, "pemblo-cli play: the sound output %s is muted\n", output.name.c_str());
            return EXIT_FAILED;
        }
        if (const char *warning = FindingWarning(finding))
            std::fprintf(stderr, "pemblo-cli play: warning: %s: %s\n", output.name.c_str(), warning);
    }
    sink = output.name;
    return 0;
}

const char *CauseText(DisturbanceCause cause)
{
    switch (cause) {
    case DisturbanceCause::AnotherSound: return " (another sound)";
    case DisturbanceCause::Gap: return " (a gap)";
    case DisturbanceCause::Clipped: return " (clipped)";
    case DisturbanceCause::TooQuiet: return " (too quiet)";
    case DisturbanceCause::Unknown: break;
    }
    return "";
}

int ReportVerification(const FskTransmitter &transmitter)
{
    const UploadVerification &check = transmitter.Verification();
    if (!transmitter.HasVerification() || !check.recorded) {
        std::fprintf(stderr, "pemblo-cli play: nothing could be recorded from the output's monitor\n");
        return EXIT_NOT_RECORDED;
    }
    PrintRecordingDiagnostics(
        transmitter.OutputName() + ".monitor", check.peak, check.clippedShare, check.speed);
    if (check.Intact()) {
        std::printf("all blocks left the computer intact\n");
        return 0;
    }
    std::string blocks;
    for (const DisturbedBlock &block : check.disturbed)
        blocks += (blocks.empty() ? "" : ", ") + std::to_string(block.block) + CauseText(block.cause);
    std::fprintf(stderr, "pemblo-cli play: disturbed blocks: %s\n", blocks.c_str());
    return EXIT_FAILED;
}

int RunPlay(const Arguments &arguments)
{
    UploadImage image;
    if (const int code = LoadImage(arguments.Positionals()[0], image))
        return code;
    std::string sink;
    if (const int code = ChooseOutput(arguments, sink))
        return code;
    QuietQtMessages();
    int argc = 1;
    char name[] = "pemblo-cli";
    char *argv[] = { name, nullptr };
    QCoreApplication application(argc, argv);
    FskTransmitter transmitter;
    transmitter.SetOutput(sink);
    transmitter.SetVerify(arguments.Has("--verify"));
    QObject::connect(&transmitter, &FskTransmitter::Done, &application, &QCoreApplication::quit);
    if (!transmitter.Transmit(nullptr, UPLOAD_BLOCK_COUNT, image.data())) {
        std::fprintf(stderr, "pemblo-cli play: %s\n", transmitter.ErrorText().toLocal8Bit().constData());
        return EXIT_FAILED;
    }
    application.exec();
    const int code = arguments.Has("--verify") ? ReportVerification(transmitter) : 0;
    transmitter.Release();
    return code;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int PembloCliPlay(const Arguments &arguments)
{
    return RunPlay(arguments);
}

extern "C" __attribute__((visibility("default"))) int PembloCliOutputs(const Arguments &arguments)
{
    return RunOutputs(arguments);
}
