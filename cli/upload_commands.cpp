#include "cli/upload_commands.h"

#include "cli/decode_command.h"
#include "cli/sequence_commands.h"
#include "core/constants.h"
#include "core/row_table.h"
#include "core/sequence_interpreter.h"
#include "platform/output_file.h"
#include "upload/fsk_signal.h"
#include "upload/wav_file.h"

#include <cstdio>
#include <string>

namespace
{

int WriteOrReport(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    const std::string error = WriteOutputFile(path, bytes.data(), bytes.size());
    if (error.empty())
        return 0;
    std::fprintf(stderr, "pemblo-cli: %s\n", error.c_str());
    return EXIT_FAILED;
}

} // namespace

int LoadImage(const std::string &path, UploadImage &image)
{
    RowTable table;
    if (const int code = LoadOrReport(table, path))
        return code;
    image = EncodeUploadImage(table);
    return 0;
}

int EmitImage(const UploadImage &image, const Arguments &arguments)
{
    if (arguments.Has("-o"))
        return WriteOrReport(arguments.Value("-o"), std::vector<std::uint8_t>(image.begin(), image.end()));
    for (int b = 0; b < UPLOAD_BLOCK_COUNT; ++b) {
        for (int i = 0; i < UPLOAD_BLOCK_SIZE; ++i)
            std::printf("%02x", image[static_cast<std::size_t>(b * UPLOAD_BLOCK_SIZE + i)]);
        std::putchar('\n');
    }
    return 0;
}

namespace
{

int RunImage(const Arguments &arguments)
{
    UploadImage image;
    if (const int code = LoadImage(arguments.Positionals()[0], image))
        return code;
    return EmitImage(image, arguments);
}

// The silence --pad puts around the signal: at most a minute each side.
std::size_t PaddingSamples(const Arguments &arguments)
{
    constexpr std::uint64_t MAX_PAD_SECONDS = 60;
    if (!arguments.Has("--pad"))
        return 0;
    std::uint64_t milliseconds = 0;
    if (!ParseMilliseconds(arguments.Value("--pad"), MAX_PAD_SECONDS, milliseconds))
        throw UsageError("--pad takes seconds such as 0.5 or 1, up to " + std::to_string(MAX_PAD_SECONDS));
    return static_cast<std::size_t>(milliseconds * UPLOAD_SAMPLE_RATE / 1000);
}

int RunWav(const Arguments &arguments)
{
    if (!arguments.Has("-o"))
        throw UsageError("wav needs -o OUT.wav");
    const std::size_t padding = PaddingSamples(arguments);
    UploadImage image;
    if (const int code = LoadImage(arguments.Positionals()[0], image))
        return code;
    return WriteOrReport(arguments.Value("-o"), EncodeUploadWav(image, padding));
}

} // namespace

const std::vector<CliCommand> &UploadCommands()
{
    static const std::vector<CliCommand> commands = {
        { "image", "FILE [-o OUT]",
            "Prints the 448-byte upload image of the sequence as 14 lines of 64 hex\n"
            "digits, one line per 32-byte block, or writes the raw bytes into OUT.",
            { { "-o", true } }, 1, RunImage },
        { "wav", "FILE -o OUT.wav [--pad SECONDS]",
            "Writes the upload signal of the sequence as a PCM WAV file, mono,\n"
            "48000 Hz, 8-bit unsigned: the very samples of the signal, from its first\n"
            "bit to its last. --pad puts SECONDS of silence before and after it, as\n"
            "play does (0.5).",
            { { "-o", true }, { "--pad", true } }, 1, RunWav },
        DecodeCommand(),
        { "outputs", "",
            "Lists the sound outputs, one a line: NAME, a tab, the description, a\n"
            "tab and the flags, separated by commas: default, muted, volume=N%,\n"
            "bluetooth, hdmi (HDMI or DisplayPort), usb. Without a sound server it\n"
            "says so and exits 1.",
            {}, 0, nullptr, { PLAY_MODULE, "PembloCliOutputs" } },
        { "play", "FILE [--output OUTPUT] [--verify]",
            "Plays the upload of the sequence on the default sound output, or on\n"
            "the one named (see \"outputs\"), with half a second of silence before\n"
            "and after it, and returns once the last sample has played. Refuses a\n"
            "muted output and warns about a volume under 50 % or over 100 %, a\n"
            "Bluetooth and an HDMI output. Without a sound output it says so and\n"
            "exits 1. With --verify it records the output's monitor while it plays,\n"
            "prints the line \"decode\" prints about a recording, and exits 1 naming\n"
            "the blocks that did not leave the computer intact, or 2 when nothing\n"
            "could be recorded.",
            { { "--output", true }, { "--verify", false } }, 1, nullptr, { PLAY_MODULE, "PembloCliPlay" } },
    };
    return commands;
}
