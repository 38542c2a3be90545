#include "cli/upload_commands.h"

#include "cli/decode_command.h"
#include "cli/sequence_commands.h"
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

int RunWav(const Arguments &arguments)
{
    if (!arguments.Has("-o"))
        throw UsageError("wav needs -o OUT.wav");
    UploadImage image;
    if (const int code = LoadImage(arguments.Positionals()[0], image))
        return code;
    return WriteOrReport(arguments.Value("-o"), EncodeUploadWav(image));
}

} // namespace

const std::vector<CliCommand> &UploadCommands()
{
    static const std::vector<CliCommand> commands = {
        { "image", "FILE [-o OUT]",
            "Prints the 448-byte upload image of the sequence as 14 lines of 64 hex\n"
            "digits, one line per 32-byte block, or writes the raw bytes into OUT.",
            { { "-o", true } }, 1, RunImage },
        { "wav", "FILE -o OUT.wav",
            "Writes the upload signal of the sequence as a PCM WAV file, mono,\n"
            "48000 Hz, 8-bit unsigned: the very samples the sound output plays.",
            { { "-o", true } }, 1, RunWav },
        DecodeCommand(),
        { "play", "FILE",
            "Plays the upload of the sequence on the default sound output and returns\n"
            "once the last sample has played. Without a sound output it says so and\n"
            "exits 1.",
            {}, 1, nullptr, { PLAY_MODULE, "PembloCliPlay" } },
    };
    return commands;
}
