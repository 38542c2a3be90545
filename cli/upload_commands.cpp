#include "cli/upload_commands.h"

#include "cli/quiet_qt_messages.h"
#include "cli/sequence_commands.h"
#include "core/row_table.h"
#include "core/sequence_interpreter.h"
#include "upload/binary_file.h"
#include "upload/fsk_decoder.h"
#include "upload/fsk_signal.h"
#include "upload/fsk_transmitter.h"
#include "upload/wav_file.h"

#include <QCoreApplication>

#include <cstdio>
#include <string>

namespace
{

// Loads the sequence file named by the first argument and encodes it; on a
// load error returns its code.
int LoadImage(const Arguments &arguments, UploadImage &image)
{
    RowTable table;
    SequenceInterpreter device(table);
    if (const int code = LoadOrReport(device, arguments.Positionals()[0]))
        return code;
    image = EncodeUploadImage(table);
    return 0;
}

int WriteOrReport(const std::string &path, const std::vector<std::uint8_t> &bytes)
{
    if (WriteBinaryFile(path, bytes))
        return 0;
    std::fprintf(stderr, "%s: cannot write the file\n", path.c_str());
    return EXIT_FAILED;
}

// The image as 14 lines of 64 hex digits on stdout, or its raw bytes into
// the file given with -o.
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

std::string BlockList(const std::vector<int> &blocks)
{
    std::string text;
    for (const int block : blocks)
        text += (text.empty() ? "" : ", ") + std::to_string(block);
    return text;
}

int RunImage(const Arguments &arguments)
{
    UploadImage image;
    if (const int code = LoadImage(arguments, image))
        return code;
    return EmitImage(image, arguments);
}

int RunWav(const Arguments &arguments)
{
    if (!arguments.Has("-o"))
        throw UsageError("wav needs -o OUT.wav");
    UploadImage image;
    if (const int code = LoadImage(arguments, image))
        return code;
    PcmAudio audio;
    audio.sampleRate = UPLOAD_SAMPLE_RATE;
    audio.channels = 1;
    audio.bitsPerSample = 8;
    audio.bytes = RenderUploadSignal(ImageBlocks(image));
    return WriteOrReport(arguments.Value("-o"), EncodeWav(audio));
}

int RunDecode(const Arguments &arguments)
{
    const std::string &path = arguments.Positionals()[0];
    std::vector<std::uint8_t> bytes;
    if (!ReadBinaryFile(path, bytes)) {
        std::fprintf(stderr, "%s: cannot open the file\n", path.c_str());
        return EXIT_FAILED;
    }
    UploadDecodeResult result;
    try {
        result = DecodeUploadRecording(ParseWav(bytes.data(), bytes.size()));
    } catch (const WavError &error) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.what());
        return EXIT_FAILED;
    }
    if (result.Complete())
        return EmitImage(result.image, arguments);
    std::fprintf(stderr, "%s: the recording holds no complete upload\n", path.c_str());
    if (!result.missingBlocks.empty())
        std::fprintf(stderr, "missing blocks: %s\n", BlockList(result.missingBlocks).c_str());
    if (!result.damagedBlocks.empty())
        std::fprintf(stderr, "damaged blocks: %s\n", BlockList(result.damagedBlocks).c_str());
    return EXIT_FAILED;
}

int RunPlay(const Arguments &arguments)
{
    UploadImage image;
    if (const int code = LoadImage(arguments, image))
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
        { "decode", "IN.wav [-o OUT]",
            "Demodulates a recorded upload (PCM WAV, 8 or 16 bits, mono or stereo,\n"
            "8000 Hz or more) and prints the image as \"image\" does, or writes it into\n"
            "OUT. Exits 1, naming the missing and damaged blocks, unless all 14 blocks\n"
            "arrived intact.",
            { { "-o", true } }, 1, RunDecode },
        { "play", "FILE",
            "Plays the upload of the sequence on the default sound output and returns\n"
            "once the last sample has played. Without a sound output it says so and\n"
            "exits 1.",
            {}, 1, RunPlay },
    };
    return commands;
}
