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
            { PICTURES_MODULE, "PembloCliRender" } },
        { "animate",
            "FILE -o OUT.gif|.mp4|.webm [--ticks N | --seconds S] [--input TICKS] [--size PX] [--device "
            "BUNDLE]",
            "Records the device running the sequence from its start, as the\n"
            "simulation view shows it, into an animation: an animated GIF, or a video\n"
            "at 50 frames per second, H.264 in MP4 or VP9 in WebM, by OUT's ending.\n"
            "It lasts N ticks of 12 ms (default 1000) or S seconds (such as 5 or 2.5),\n"
            "at most 600 seconds; a sequence that stops ends it at its last tick.\n"
            "The picture of tick k is the one render --tick k paints, scaled to PX\n"
            "pixels square (16 to 800, default 400; even for a video). --input lists\n"
            "the ticks in which the input switch is on, as simulate takes them. The\n"
            "device picture comes from the device bundle as for render.",
            { { "-o", true }, { "--ticks", true }, { "--seconds", true }, { "--input", true },
                { "--size", true }, { "--device", true } },
            1, nullptr, { PICTURES_MODULE, "PembloCliAnimate" } },
    };
    return commands;
}
