// The pictures module of pemblo-cli: the commands that draw the device, with
// the Qt libraries they need, loaded only to run one of them.

#include "cli/render_command.h"

#include "cli/input_schedule.h"
#include "cli/quiet_qt_messages.h"
#include "cli/sequence_commands.h"
#include "core/row_table.h"
#include "core/sequence_interpreter.h"
#include "display/animation_job.h"
#include "display/animation_timing.h"
#include "display/device_bundle.h"
#include "display/device_picture.h"
#include "display/led_painter.h"
#include "platform/bundle_file.h"
#include "platform/bundle_reader.h"
#include "platform/output_file.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdio>
#include <stdexcept>

namespace
{

constexpr char DEFAULT_DEVICE_BUNDLE[] = "veltor.rcc";
constexpr std::uint64_t MILLISECONDS_PER_SECOND = 1000;

// A failure that ends the command with exit code 1 and its message.
class RenderFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

std::string RequiredValue(const Arguments &arguments, const std::string &option)
{
    if (!arguments.Has(option))
        throw UsageError(option + " is needed");
    return arguments.Value(option);
}

// The LED levels after running the sequence from its start for ticks ticks,
// or until it stops.
LedLevels LevelsAfter(SequenceInterpreter &device, std::uint64_t ticks)
{
    device.Reset();
    for (std::uint64_t tick = 1; tick <= ticks; ++tick)
        if (!device.Step(0))
            break;
    LedLevels levels {};
    const SequenceInterpreter::Outputs &outputs = device.GetOutputs();
    for (int k = 0; k < LED_COUNT; ++k)
        levels[static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(outputs[static_cast<std::size_t>(k)]);
    return levels;
}

void SavePng(const QImage &picture, const std::string &path)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.save(&buffer, "PNG"))
        throw RenderFailure("cannot make the picture a PNG");
    const std::string error = WriteOutputFile(path, png.constData(), static_cast<std::size_t>(png.size()));
    if (!error.empty())
        throw RenderFailure(error);
}

// The device at levels, composed from the images of the bundle called name
// alone, without the screen bitmaps of every step; the images go before the
// picture is saved. A RenderFailure when the bundle has none.
QImage ComposeFromBundle(const std::string &name, const LedLevels &levels)
{
    const std::string path = FindBundleFile(name);
    if (path.empty())
        throw RenderFailure("cannot find the device bundle " + name);
    BundleEntries entries;
    if (!ReadBundleFile(path, entries))
        throw RenderFailure(path + " is not a device bundle");
    const std::vector<std::uint8_t> &data = entries[DEVICE_PICTURE_ENTRY];
    QImage picture(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE, QImage::Format_RGB32);
    if (!ComposeDevicePicture(data.data(), data.size(), levels, picture.bits()))
        throw RenderFailure(path + " holds no usable device picture");
    return picture;
}

int RunRender(const Arguments &arguments)
{
    RequiredValue(arguments, "--tick");
    const std::uint64_t ticks = arguments.Number("--tick", 0, 0, MAX_TICKS);
    const std::string out = RequiredValue(arguments, "-o");

    RowTable table;
    if (const int code = LoadOrReport(table, arguments.Positionals()[0]))
        return code;
    SequenceInterpreter interpreter(table);
    const LedLevels levels = LevelsAfter(interpreter, ticks);

    QuietQtMessages();
    try {
        SavePng(ComposeFromBundle(arguments.Value("--device", DEFAULT_DEVICE_BUNDLE), levels), out);
    } catch (const RenderFailure &failure) {
        std::fprintf(stderr, "pemblo-cli render: %s\n", failure.what());
        return EXIT_FAILED;
    }
    return 0;
}

std::uint64_t AnimationTicks(const Arguments &arguments)
{
    if (arguments.Has("--ticks") && arguments.Has("--seconds"))
        throw UsageError("give --ticks or --seconds, not both");
    const std::uint64_t maxSeconds = MAX_ANIMATION_TICKS * TICK_MS / MILLISECONDS_PER_SECOND;
    if (arguments.Has("--seconds")) {
        std::uint64_t milliseconds = 0;
        if (!ParseMilliseconds(arguments.Value("--seconds"), maxSeconds, milliseconds))
            throw UsageError(
                "--seconds takes a length such as 5 or 2.5, up to " + std::to_string(maxSeconds));
        return std::max<std::uint64_t>(1, SlotsInMilliseconds(milliseconds));
    }
    return arguments.Number("--ticks", DEFAULT_SIMULATION_TICKS, 1, MAX_ANIMATION_TICKS);
}

AnimationExport::Settings AnimationSettings(const Arguments &arguments, const std::string &out)
{
    AnimationExport::Settings settings;
    if (!AnimationFormatOf(out))
        throw UsageError("-o takes a file name ending in .gif, .mp4 or .webm");
    settings.size = static_cast<int>(
        arguments.Number("--size", DEFAULT_ANIMATION_SIZE, MIN_ANIMATION_SIZE, DEVICE_PICTURE_SIZE));
    if (AnimationRefusalFor(out, settings.size) == AnimationRefusal::OddVideoSize)
        throw UsageError("--size must be even for a video");
    settings.ticks = AnimationTicks(arguments);
    return settings;
}

// Makes the animation from the bundle --device names, without a screen;
// exit code 1, having said why, when it fails.
int Animate(const Arguments &arguments, const RowTable &table, const AnimationExport::Settings &settings,
    const std::string &out)
{
    QuietQtMessages();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "pemblo-cli";
    char *argv[] = { name, nullptr };
    const QGuiApplication application(argc, argv);
    AnimationJob job;
    bool running = job.Start(table, arguments.Value("--device", DEFAULT_DEVICE_BUNDLE), out, settings);
    while (running && job.Advance(settings.ticks)) { }
    if (running && job.Finish())
        return 0;
    std::fprintf(stderr, "pemblo-cli animate: %s\n", job.Error().c_str());
    return EXIT_FAILED;
}

int RunAnimate(const Arguments &arguments)
{
    const std::string out = RequiredValue(arguments, "-o");
    AnimationExport::Settings settings = AnimationSettings(arguments, out);
    const InputSchedule input(arguments.Value("--input"));
    settings.inputOn = [&input](std::uint64_t tick) { return input.IsOn(tick); };

    RowTable table;
    if (const int code = LoadOrReport(table, arguments.Positionals()[0]))
        return code;
    return Animate(arguments, table, settings, out);
}

} // namespace

extern "C" __attribute__((visibility("default"))) int PembloCliRender(const Arguments &arguments)
{
    return RunRender(arguments);
}

extern "C" __attribute__((visibility("default"))) int PembloCliAnimate(const Arguments &arguments)
{
    return RunAnimate(arguments);
}
