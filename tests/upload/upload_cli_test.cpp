// pemblo-cli image, wav, decode and play, run as scripts run them.

#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "upload/binary_file.h"
#include "upload/fsk_signal.h"
#include "upload/wav_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
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

    // Runs pemblo-cli with the arguments; stdout and stderr land in out and err.
    int Run(const std::string &arguments, const std::string &environment = "")
    {
        return RunProgram("pemblo-cli " + arguments, environment);
    }
    int RunProgram(const std::string &commandLine, const std::string &environment)
    {
        const std::string command = environment + " " + PEMBLO_BIN_DIR + "/" + commandLine + " >"
            + Path("out") + " 2>" + Path("err");
        const int status = std::system(command.c_str());
        out = Text(Path("out"));
        err = Text(Path("err"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    static std::string Text(const std::string &path)
    {
        std::vector<std::uint8_t> bytes;
        ReadBinaryFile(path, bytes);
        return { bytes.begin(), bytes.end() };
    }

    fs::path m_dir = fs::temp_directory_path() / ("pemblo_upload_cli_" + std::to_string(getpid()));
    std::string out;
    std::string err;
};

UploadImage ExampleImage()
{
    RowTable table;
    SequenceInterpreter device(table);
    LoadSequenceFile(device, EXAMPLE);
    return EncodeUploadImage(table);
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
    EXPECT_EQ(Text(Path("image.bin")), std::string(image.begin(), image.end()));

    EXPECT_EQ(Run("image /nonexistent.lsq"), 1);
    EXPECT_EQ(Run("wav " + EXAMPLE), 64);
    EXPECT_EQ(Run("image " + EXAMPLE + " -o /nonexistent/dir/x"), 1);
}

TEST_F(UploadCli, WavHoldsTheSignalAndDecodesBackToTheImage)
{
    const UploadImage image = ExampleImage();
    ASSERT_EQ(Run("wav " + EXAMPLE + " -o " + Path("upload.wav")), 0) << err;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(ReadBinaryFile(Path("upload.wav"), file));
    const PcmAudio audio = ParseWav(file.data(), file.size());
    EXPECT_EQ(audio.sampleRate, 48000);
    EXPECT_EQ(audio.channels, 1);
    EXPECT_EQ(audio.bitsPerSample, 8);
    EXPECT_EQ(audio.bytes, RenderUploadSignal(ImageBlocks(image)));

    ASSERT_EQ(Run("decode " + Path("upload.wav")), 0) << err;
    EXPECT_EQ(out, Hex(image));

    // Cut in block 13's frame: it and the real block 0 are missing.
    file.resize(file.size() - 48000 * 6);
    ASSERT_TRUE(WriteBinaryFile(Path("cut.wav"), file));
    EXPECT_EQ(Run("decode " + Path("cut.wav") + " -o " + Path("image.bin")), 1);
    EXPECT_EQ(out, "");
    EXPECT_NE(err.find("missing blocks: 0, "), std::string::npos) << err;
    EXPECT_FALSE(fs::exists(Path("image.bin")));

    EXPECT_EQ(Run("decode " + EXAMPLE), 1);
    EXPECT_NE(err.find("This is not a WAV file."), std::string::npos);
}

TEST_F(UploadCli, PlayWithoutASoundOutputSaysSo)
{
    EXPECT_EQ(Run("play " + EXAMPLE, "PULSE_SERVER=unix:/nonexistent"), 1);
    EXPECT_NE(err.find("pemblo-cli play: There is no sound output."), std::string::npos) << err;
}

// Only a program that plays maps the sound library, and only once it plays.
TEST_F(UploadCli, OnlyPlayLoadsTheSoundLibrary)
{
    struct Case {
        std::string commandLine;
        const char *environment;
        bool loads;
    };
    const Case cases[] = {
        { "pemblo-cli check " + EXAMPLE, "LD_DEBUG=files", false },
        { "pemblo-cli play " + EXAMPLE, "LD_DEBUG=files PULSE_SERVER=unix:/nonexistent", true },
        { "pemblo", "LD_TRACE_LOADED_OBJECTS=1", false },
    };
    for (const Case &test : cases) {
        RunProgram(test.commandLine, test.environment);
        EXPECT_EQ((out + err).find("libpulse") != std::string::npos, test.loads) << test.commandLine;
    }
}

} // namespace
