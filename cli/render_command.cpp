#include "cli/render_command.h"

const std::vector<CliCommand> &RenderCommands()
{
    static const std::vector<CliCommand> commands = {
        { "render", "FILE --tick N -o OUT.png [--device BUNDLE]",
            "Runs the sequence from its start for N ticks (0: before the first tick,\n"
            "all LEDs dark) and paints the device as the simulation view shows it\n"
            "then into an 800 x 800 PNG picture. The device picture comes from the\n"
            "device bundle veltor.rcc, or from BUNDLE: a relative name is looked for\n"
            "beside pemblo-cli, in ../share/pemblo/ and in the current directory.",
            { { "--tick", true }, { "-o", true }, { "--device", true } }, 1, nullptr,
            { PICTURE_MODULE, "PembloCliRender" } },
    };
    return commands;
}
