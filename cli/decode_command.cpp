#include "cli/decode_command.h"

#include "cli/upload_commands.h"
#include "upload/binary_file.h"
#include "upload/recording.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace
{

std::string BlockList(const std::vector<int> &blocks)
{
    std::string text;
    for (const int block : blocks)
        text += (text.empty() ? "" : ", ") + std::to_string(block);
    return text;
}

std::string Printed(const char *format, double value)
{
    char text[48];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

void PrintDiagnostics(const std::string &path, const DecodedRecording &decoded)
{
    PrintRecordingDiagnostics(path, decoded.levels.peak, decoded.levels.clippedShare, decoded.upload.speed);
}

// The first row slot, two bytes of the image, where the images differ; -1
// when there is none.
int FirstDifferentSlot(const UploadImage &heard, const UploadImage &expected)
{
    for (std::size_t i = 0; i < heard.size(); i += 2)
        if (heard[i] != expected[i] || heard[i + 1] != expected[i + 1])
            return static_cast<int>(i / 2);
    return -1;
}

// Compares the image heard with the one FILE gives: "identical" and 0, or
// the first row slot that differs and 1; 2 when FILE cannot be loaded.
int CompareWithExpected(const UploadImage &heard, const std::string &path)
{
    UploadImage expected;
    if (LoadImage(path, expected))
        return EXIT_NOT_LOADED;
    const int slot = FirstDifferentSlot(heard, expected);
    if (slot < 0) {
        std::printf("identical\n");
        return 0;
    }
    const auto at = static_cast<std::size_t>(2 * slot);
    std::printf("row slot %d differs: the recording holds %02x %02x, %s gives %02x %02x\n", slot, heard[at],
        heard[at + 1], path.c_str(), expected[at], expected[at + 1]);
    return EXIT_FAILED;
}

int RunDecode(const Arguments &arguments)
{
    const std::string &path = arguments.Positionals()[0];
    FileInput input;
    if (!input.Open(path)) {
        std::fprintf(stderr, "%s: cannot open the file\n", path.c_str());
        return EXIT_FAILED;
    }
    DecodedRecording decoded;
    try {
        WavStream wav(input);
        decoded = DecodeRecording(wav);
    } catch (const WavError &error) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(), error.what());
        return EXIT_FAILED;
    }
    PrintDiagnostics(path, decoded);
    const UploadDecodeResult &result = decoded.upload;
    if (!result.Complete()) {
        std::fprintf(stderr, "%s: %s\n", path.c_str(),
            result.earlierUpload
                ? "the last upload in the recording is incomplete; another upload began before it"
                : "the recording holds no complete upload");
        if (!result.missingBlocks.empty())
            std::fprintf(stderr, "missing blocks: %s\n", BlockList(result.missingBlocks).c_str());
        if (!result.damagedBlocks.empty())
            std::fprintf(stderr, "damaged blocks: %s\n", BlockList(result.damagedBlocks).c_str());
        return EXIT_FAILED;
    }
    if (!arguments.Has("--expect"))
        return EmitImage(result.image, arguments);
    if (arguments.Has("-o"))
        if (const int code = EmitImage(result.image, arguments))
            return code;
    return CompareWithExpected(result.image, arguments.Value("--expect"));
}

} // namespace

void PrintRecordingDiagnostics(const std::string &name, double peak, double clippedShare, double speed)
{
    const std::string peakText = peak > 0.0 ? Printed("peak %.1f dBFS", 20.0 * std::log10(peak)) : "silent";
    // Rounded first, so that a speed a hair below the nominal one reads +0.0.
    const std::string speedText = speed > 0.0
        ? Printed("speed %+.1f %%", std::round(1000.0 * (speed - 1.0)) / 10.0 + 0.0)
        : "speed unknown";
    std::fprintf(stderr, "%s: %s, clipped %.1f %%, %s\n", name.c_str(), peakText.c_str(),
        100.0 * clippedShare, speedText.c_str());
}

CliCommand DecodeCommand()
{
    return { "decode", "IN.wav [-o OUT] [--expect FILE]",
        "Demodulates a recorded upload (PCM WAV, 8 or 16 bits, mono or stereo,\n"
        "8000 Hz or more) and prints the image as \"image\" does, or writes it into\n"
        "OUT. Exits 1, naming the missing and damaged blocks, unless all 14 blocks\n"
        "arrived intact. A recording of several uploads gives the last one; when\n"
        "that one is cut short, it says so. With --expect it prints \"identical\"\n"
        "when the image is the one the sequence file FILE uploads, and otherwise\n"
        "exits 1 naming the first row slot that differs, or 2 when FILE cannot be\n"
        "loaded. A line on stderr tells the recording's peak level, its share of\n"
        "clipped samples and its speed against the 48000 Hz sent.",
        { { "-o", true }, { "--expect", true } }, 1, RunDecode };
}
