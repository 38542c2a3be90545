// pemblo-cli image, wav, decode and play, run as scripts run them.

#include "core/row_table.h"
#include "core/sequence_file.h"
#include "run_program.h"
#include "upload/fsk_signal.h"
#include "upload/upload_image.h"
#include "upload/wav_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;

const std::string EXAMPLE = std::string(PEMBLO_SOURCE_DIR) + "/examples/005_chase.lsq";

class UploadCli : public ::testing::Test
{
protected:
    void SetUp() override { fs::create_directories(m_dir); }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path(const char *name) const { return (m_dir / name).string(); }

    std::string Write(const char *name, const std::string &bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
        return Path(name);
    }

    // Runs pemblo-cli with the arguments; stdout and stderr land in out and err.
    int Run(const std::string &arguments, const std::string &prefix = "")
    {
        const ProgramRun run = RunProgram("pemblo-cli " + arguments, prefix);
        out = run.out;
        err = run.err;
        return run.exitCode;
    }

    fs::path m_dir = fs::temp_directory_path() / ("pemblo_upload_cli_" + std::to_string(getpid()));
    std::string out;
    std::string err;
};

UploadImage ExampleImage()
{
    RowTable table;
    LoadSequenceFile(table, EXAMPLE);
    return EncodeUploadImage(table);
}

std::vector<std::uint8_t> ExampleSignal()
{
    return RenderUploadSignal(ImageBlocks(ExampleImage()));
}

// A WAV file of the samples, 8-bit mono at 48 kHz, as upload recordings are.
std::string WavOf(const std::vector<std::uint8_t> &samples)
{
    const std::vector<std::uint8_t> file = EncodeWav({ 48000, 1, 8, samples });
    return { file.begin(), file.end() };
}

std::string Hex(const UploadImage &image)
{
    std::string text;
    for (std::size_t i = 0; i < image.size(); ++i) {
        text += "0123456789abcdef"[image[i] >> 4];
        text += "0123456789abcdef"[image[i] & 15];
        if (i % UPLOAD_BLOCK_SIZE == UPLOAD_BLOCK_SIZE - 1)
            text += '\n';
    }
    return text;
}

TEST_F(UploadCli, ImageAsHexOrRawBytes)
{
    const UploadImage image = ExampleImage();
    ASSERT_EQ(Run("image " + EXAMPLE), 0) << err;
    EXPECT_EQ(out, Hex(image));

    ASSERT_EQ(Run("image " + EXAMPLE + " -o " + Path("image.bin")), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(TakeFileText(Path("image.bin")), std::string(image.begin(), image.end()));

    EXPECT_EQ(Run("image /nonexistent.lsq"), 1);
    EXPECT_EQ(Run("wav " + EXAMPLE), 64);
}

// A recording cut short writes no image.
TEST_F(UploadCli, WavHoldsTheSignalAndACutOneDecodesToNothing)
{
    ASSERT_EQ(Run("wav " + EXAMPLE + " -o " + Path("upload.wav")), 0) << err;
    const std::string wav = TakeFileText(Path("upload.wav"));
    EXPECT_EQ(wav, WavOf(ExampleSignal()));

    const std::string cut = Write("cut.wav", wav.substr(0, wav.size() - 48000 * 6));
    EXPECT_EQ(Run("decode " + cut + " -o " + Path("image.bin")), 1);
    EXPECT_EQ(out, "");
    EXPECT_FALSE(fs::exists(Path("image.bin")));
}

// --pad puts silence around the very same signal; nothing else is padding.
TEST_F(UploadCli, WavPadsTheSignalWithSilenceOnlyWhenAsked)
{
    const std::vector<std::uint8_t> signal = ExampleSignal();
    ASSERT_EQ(Run("wav " + EXAMPLE + " --pad 0.25 -o " + Path("padded.wav")), 0) << err;
    std::vector<std::uint8_t> padded(12000 + signal.size() + 12000, 128);
    std::copy(signal.begin(), signal.end(), padded.begin() + 12000);
    EXPECT_EQ(TakeFileText(Path("padded.wav")), WavOf(padded));
    for (const char *bad : { "0", "-1", "0.0001", "61", "x" }) {
        EXPECT_EQ(Run("wav " + EXAMPLE + " --pad " + bad + " -o " + Path("bad.wav")), 64) << bad;
        EXPECT_FALSE(fs::exists(Path("bad.wav"))) << bad;
    }
}

TEST_F(UploadCli, DecodeComparesWithASequenceAndSaysHowTheRecordingSounds)
{
    const std::vector<std::uint8_t> signal = ExampleSignal();
    // 12 dB louder, clipped as a recorder clips; 3 % fast.
    std::vector<std::uint8_t> loud, fast;
    for (const std::uint8_t s : signal)
        loud.push_back(static_cast<std::uint8_t>(std::clamp(4 * s - 3 * 128, 0, 255)));
    for (double t = 0; t < signal.size(); t += 1.03)
        fast.push_back(signal[static_cast<std::size_t>(t)]);
    const std::pair<std::vector<std::uint8_t>, const char *> recordings[]
        = { { signal, "peak -0.1 dBFS, clipped 0.0 %, speed +0.0 %" },
              { loud, "peak 0.0 dBFS, clipped 83.8 %" },
              { fast, "peak -0.1 dBFS, clipped 0.0 %, speed +3.0 %" } };
    for (const auto &[samples, diagnostics] : recordings) {
        Write("in.wav", WavOf(samples));
        EXPECT_EQ(Run("decode " + Path("in.wav") + " --expect " + EXAMPLE), 0) << err;
        EXPECT_EQ(out, "identical\n");
        EXPECT_NE(err.find(Path("in.wav") + ": " + diagnostics), std::string::npos) << err;
    }

    // Row 2 of the sequence waits 7 ticks instead of 6: slot 2's time byte.
    const std::string other = Write("other.lsq",
        "#=QUORBEL\nV=1\nD=VELTOR3\n01000000000000450003\n0100000000000046000c\n00000000010007580000\n");
    EXPECT_EQ(Run("decode " + Path("in.wav") + " --expect " + other), 1);
    EXPECT_EQ(out, "row slot 2 differs: the recording holds 80 06, " + other + " gives 80 07\n");
    // A sequence that cannot be loaded is no difference.
    EXPECT_EQ(Run("decode " + Path("in.wav") + " --expect " + Path("missing.lsq")), 2);
    EXPECT_EQ(err.substr(err.find('\n') + 1), Path("missing.lsq") + ": file not found\n");

    // A second upload that began before the first ended and was cut short
    // itself: nothing of the first fills its gaps.
    std::vector<std::uint8_t> twice(
        signal.begin(), signal.begin() + static_cast<std::ptrdiff_t>(signal.size() / 2));
    twice.insert(
        twice.end(), signal.begin(), signal.begin() + static_cast<std::ptrdiff_t>(signal.size() * 3 / 4));
    EXPECT_EQ(Run("decode " + Write("twice.wav", WavOf(twice)) + " --expect " + EXAMPLE), 1);
    EXPECT_NE(err.find("another upload began before it\nmissing blocks: 0, 13\ndamaged blocks: 12\n"),
        std::string::npos)
        << err;

    // A pipe is read as a file is; a folder is no recording.
    EXPECT_EQ(Run("decode /dev/stdin", "cat " + Path("in.wav") + " |"), 0) << err;
    EXPECT_EQ(out, Hex(ExampleImage()));
    EXPECT_EQ(Run("decode " + m_dir.string()), 1);
    EXPECT_EQ(err, m_dir.string() + ": This is not a WAV file.\n");
}

TEST_F(UploadCli, PlayWithoutASoundOutputSaysSo)
{
    EXPECT_EQ(Run("play " + EXAMPLE, "PULSE_SERVER=unix:/nonexistent"), 1);
    EXPECT_NE(err.find("pemblo-cli play: There is no sound output."), std::string::npos) << err;
    EXPECT_EQ(Run("outputs", "PULSE_SERVER=unix:/nonexistent"), 1);
    EXPECT_EQ(err, "pemblo-cli outputs: There is no sound output.\n");
}

} // namespace
