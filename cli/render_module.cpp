// The picture module of pemblo-cli: the commands that draw the device, with
// the Qt libraries they need, loaded only to run one of them.

#include "cli/render_command.h"
#include "cli/sequence_commands.h"
#include "core/row_table.h"
#include "core/sequence_interpreter.h"
#include "display/device_bundle.h"
#include "display/device_picture.h"
#include "platform/bundle_file.h"

#include <QCoreApplication>
#include <QImage>
#include <QSaveFile>

#include <cstdio>
#include <stdexcept>

namespace
{

constexpr char DEFAULT_DEVICE_BUNDLE[] = "veltor.rcc";

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

QImage PaintFromBundle(const QString &name, const LedLevels &levels)
{
    const QString path = FindBundleFile(name);
    if (path.isEmpty())
        throw RenderFailure("cannot find the device bundle " + name.toStdString());
    DeviceBundle bundle;
    if (!bundle.Open(path))
        throw RenderFailure(path.toStdString() + " is not a device bundle");
    const QByteArray data = bundle.DevicePicture();
    QImage picture(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE, QImage::Format_RGB32);
    if (!ComposeDevicePicture(reinterpret_cast<const std::uint8_t *>(data.constData()),
            static_cast<std::size_t>(data.size()), levels, picture.bits()))
        throw RenderFailure(path.toStdString() + " holds no usable device picture");
    return picture;
}

void SavePng(const QImage &picture, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit())
        throw RenderFailure("cannot write " + path.toStdString());
}

int RunRender(const Arguments &arguments)
{
    RequiredValue(arguments, "--tick");
    const std::uint64_t ticks = arguments.Number("--tick", 0, MAX_TICKS);
    const QString out = QString::fromStdString(RequiredValue(arguments, "-o"));
    const QString device = QString::fromStdString(arguments.Value("--device", DEFAULT_DEVICE_BUNDLE));

    RowTable table;
    SequenceInterpreter interpreter(table);
    if (const int code = LoadOrReport(interpreter, arguments.Positionals()[0]))
        return code;
    const LedLevels levels = LevelsAfter(interpreter, ticks);

    // Only for the folder of the executable, where bundles are looked for.
    int argc = 1;
    char name[] = "pemblo-cli";
    char *argv[] = { name, nullptr };
    const QCoreApplication application(argc, argv);
    try {
        SavePng(PaintFromBundle(device, levels), out);
    } catch (const RenderFailure &failure) {
        std::fprintf(stderr, "pemblo-cli render: %s\n", failure.what());
        return EXIT_FAILED;
    }
    return 0;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int PembloCliRender(const Arguments &arguments)
{
    return RunRender(arguments);
}
