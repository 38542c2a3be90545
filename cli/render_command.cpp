#include "cli/render_command.h"

#include "cli/output_file.h"
#include "cli/quiet_qt_messages.h"
#include "cli/sequence_commands.h"
#include "core/row_table.h"
#include "core/sequence_interpreter.h"
#include "display/device_bitmaps.h"
#include "display/device_bundle.h"
#include "display/led_painter.h"
#include "platform/bundle_file.h"

#include <QBuffer>
#include <QGuiApplication>

#include <cstdio>
#include <stdexcept>

namespace
{

constexpr char DEFAULT_DEVICE_BUNDLE[] = "veltor.rcc";
// The picture is painted lossless, whatever screen there may be.
constexpr DisplayFormat RENDER_FORMAT { 32, 0 };

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

void BuildFromBundle(DeviceBitmaps &bitmaps, const std::string &name)
{
    const std::string path = FindBundleFile(name);
    if (path.empty())
        throw RenderFailure("cannot find the device bundle " + name);
    DeviceBundle bundle;
    if (!bundle.Open(path))
        throw RenderFailure(path + " is not a device bundle");
    if (!bitmaps.Build(bundle.DevicePicture(), RENDER_FORMAT))
        throw RenderFailure(path + " holds no usable device picture");
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

int RunRender(const Arguments &arguments)
{
    RequiredValue(arguments, "--tick");
    const std::uint64_t ticks = arguments.Number("--tick", 0, MAX_TICKS);
    const std::string out = RequiredValue(arguments, "-o");
    const std::string device = arguments.Value("--device", DEFAULT_DEVICE_BUNDLE);

    RowTable table;
    SequenceInterpreter interpreter(table);
    if (const int code = LoadOrReport(interpreter, arguments.Positionals()[0]))
        return code;
    const LedLevels levels = LevelsAfter(interpreter, ticks);

    QuietQtMessages();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "pemblo-cli";
    char *argv[] = { name, nullptr };
    const QGuiApplication application(argc, argv);
    try {
        DeviceBitmaps bitmaps;
        BuildFromBundle(bitmaps, device);
        SavePng(RenderDevice(bitmaps, levels), out);
    } catch (const RenderFailure &failure) {
        std::fprintf(stderr, "pemblo-cli render: %s\n", failure.what());
        return EXIT_FAILED;
    }
    return 0;
}

} // namespace

const std::vector<CliCommand> &RenderCommands()
{
    static const std::vector<CliCommand> commands = {
        { "render", "FILE --tick N -o OUT.png [--device BUNDLE]",
            "Runs the sequence from its start for N ticks (0: before the first tick,\n"
            "all LEDs dark) and paints the device as the simulation view shows it\n"
            "then into an 800 x 800 PNG picture. The device picture comes from the\n"
            "device bundle veltor.rcc, or from BUNDLE: a relative name is looked for\n"
            "beside pemblo-cli, in ../share/pemblo/ and in the current directory.",
            { { "--tick", true }, { "-o", true }, { "--device", true } }, 1, RunRender },
    };
    return commands;
}
