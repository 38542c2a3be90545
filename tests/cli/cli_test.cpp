// Runs the real pemblo-cli binary, as scripts do.

#include "../upload/run_program.h"
#include "display/device_bundle.h"
#include "display/device_picture.h"

#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <utility>
#include <vector>

namespace
{

namespace fs = std::filesystem;

using Result = ProgramRun;

// A file of the test in the temporary folder, named apart from other runs.
fs::path TempPath(const std::string &name)
{
    return fs::temp_directory_path() / ("pemblo_cli_" + std::to_string(getpid()) + "_" + name);
}

// Without a screen and without a runtime folder, about which Qt would warn;
// environment adds variables.
Result Cli(const std::string &arguments, const std::string &program = "pemblo-cli",
    const std::string &environment = "")
{
    return RunProgram(program + " " + arguments,
        "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR " + environment);
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

const std::string PULSAR = PEMBLO_SOURCE_DIR "/examples/001_veltor_pulsar.lsq";

class CliFile : public ::testing::Test
{
protected:
    std::string Write(const std::string &rows, const std::string &header = "#=QUORBEL\nV=1\nD=VELTOR3\n")
    {
        std::ofstream(m_path, std::ios::binary) << header << rows;
        return m_path.string();
    }
    void TearDown() override { fs::remove(m_path); }

private:
    fs::path m_path = TempPath("sequence.lsq");
};

TEST(Cli, EveryExampleLoadsAndRuns)
{
    int examples = 0;
    for (const auto &entry : fs::directory_iterator(std::string(PEMBLO_SOURCE_DIR) + "/examples")) {
        if (entry.path().extension() != ".lsq")
            continue;
        ++examples;
        const Result check = Cli("check " + entry.path().string());
        EXPECT_EQ(check.exitCode, 0) << entry.path() << check.err;
        EXPECT_NE(check.out.find(" rows\n"), std::string::npos);

        const Result simulate = Cli("simulate " + entry.path().string() + " --ticks 300 --input 50-150");
        EXPECT_EQ(simulate.exitCode, 0);
        EXPECT_EQ(Lines(simulate.out).size(), 301u) << entry.path() << " stopped early";

        const Result lint = Cli("lint " + entry.path().string());
        EXPECT_EQ(lint.exitCode, 0);
        EXPECT_EQ(lint.out, "") << entry.path();
    }
    EXPECT_GE(examples, 5);
}

// 1000 ticks unless --ticks says otherwise (EveryExampleLoadsAndRuns).
TEST(Cli, SimulatePrintsTheTicksOfTheDefaultSequence)
{
    const Result result = Cli("simulate " + PULSAR);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const auto lines = Lines(result.out);
    ASSERT_EQ(lines.size(), 1001u);
    EXPECT_EQ(lines[0], "tick,row,led0,led1,led2,led3,led4,led5,led6,led7,led8,led9");
    EXPECT_EQ(lines[21], "21,2,118,118,118,118,118,118,118,118,118,118");
}

TEST_F(CliFile, SimulateSaysWhyTheSequenceStopped)
{
    const auto last = [](const Result &result) { return Lines(result.out).back(); };
    EXPECT_EQ(last(Cli("simulate " + Write("00000000010002580000\n"))), "stopped,3,end");
    EXPECT_EQ(last(Cli("simulate " + Write("01000000000000470000\n"))), "stopped,1,runaway");

    // The input is on in tick 2 only: IF ON THEN 3 jumps to row 3 then.
    const std::string path = Write("01000000000000490003\n00000000010001580000\n01000000000000470000\n"
                                   "00000000020001580000\n01000000000000470000\n");
    const auto lines = Lines(Cli("simulate " + path + " --ticks 3 --input 2").out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "1,1,127,0,0,0,0,0,0,0,0,0");
    EXPECT_EQ(lines[2], "2,3,0,127,0,0,0,0,0,0,0,0");
    EXPECT_EQ(lines[3], "3,1,127,0,0,0,0,0,0,0,0,0");
}

TEST_F(CliFile, LoadErrorsNameTheFileAndExitWithTheirCode)
{
    const std::string wrongVersion = Write("", "#=QUORBEL\nV=7\n");
    const Result version = Cli("dump " + wrongVersion);
    EXPECT_EQ(version.exitCode, 3);
    EXPECT_EQ(version.out, "");
    EXPECT_EQ(version.err,
        wrongVersion + ": file version incompatible, please download the newest version of this program\n");

    EXPECT_EQ(Cli("simulate " + Write("0000000000001458000\n")).exitCode, 2);
    EXPECT_EQ(Cli("check " + Write("", "#=QUORBEL\nV=1\nD=OTHER\n")).exitCode, 4);
}

TEST_F(CliFile, LintPrintsOneLinePerFindingAndExitsByTheWorst)
{
    // Time 200, DIM 200 and GOTO 0: an error and a warning.
    std::string path = Write("00000000ff00c8000000\n010000000000004400c8\n01000000000000470000\n");
    const Result both = Cli("lint " + path);
    EXPECT_EQ(both.exitCode, 1);
    const auto lines = Lines(both.out);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
        path
            + ": row 0: error: time 200 is above 127: the device keeps its low 7 bits and holds this pattern "
              "for 72 ticks");
    EXPECT_EQ(lines[1].rfind(path + ": row 1: warning: DIM 200", 0), 0u);

    path = Write("010000000000004400c8\n00000000ff0005000000\n01000000000000470000\n");
    EXPECT_EQ(Cli("lint " + path).exitCode, 0);
    EXPECT_EQ(Cli("lint " + path + " --strict").exitCode, 1);
}

// Several files, one line each, as compilers print them: check exits with
// the code of the first file that fails, lint with the worst.
TEST_F(CliFile, CheckAndLintTakeSeveralFiles)
{
    const std::string bad = Write("00000000ff00c8000000\n01000000000000470000\n");
    const std::string clean = PULSAR + " " + PEMBLO_SOURCE_DIR + "/examples/005_chase.lsq";
    const Result check = Cli("check " + clean + " /nonexistent.lsq " + bad);
    EXPECT_EQ(check.exitCode, 1);
    const auto lines = Lines(check.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], PULSAR + ": 4 rows");
    EXPECT_EQ(lines[2], bad + ": 2 rows");
    EXPECT_EQ(check.err, "/nonexistent.lsq: file not found\n");

    const std::tuple<std::string, int, std::string> lints[]
        = { { clean, 0, "" }, { clean + " " + bad, 1, "" },
              { bad + " /nonexistent.lsq " + clean, 2, "/nonexistent.lsq: file not found\n" } };
    for (const auto &[files, exitCode, err] : lints) {
        SCOPED_TRACE(files);
        const Result lint = Cli("lint " + files);
        EXPECT_EQ(lint.exitCode, exitCode);
        EXPECT_EQ(lint.err, err);
        for (const std::string &line : Lines(lint.out))
            EXPECT_EQ(line.rfind(bad + ": row 0: error: time 200", 0), 0u) << line;
    }
}

TEST(Cli, DumpShowsEachRowLineAndWhatItDoes)
{
    const Result result = Cli("dump " + PULSAR);
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out,
        "0\t0100000000000046000f\tFADE OUT 15\n"
        "1\t00000000ff0014580000\tpattern ******** for 20 ticks\n"
        "2\t00000000000014580000\tpattern ........ for 20 ticks\n"
        "3\t01000000000000470000\tGOTO 0\n");
}

// Qt only for the commands that draw or play, the sound library only once a
// program plays.
TEST(Cli, OnlyTheCommandsThatDrawOrPlayLoadQtOrTheSoundLibrary)
{
    // The dynamic loader names every library it loads, or with
    // LD_TRACE_LOADED_OBJECTS would load.
    const auto loaded = [](const std::string &arguments, const std::string &how = "LD_DEBUG=libs",
                            const std::string &program = "pemblo-cli") {
        const Result run = Cli(arguments, program, how);
        return run.out + run.err;
    };
    for (const char *command : { "check", "dump", "simulate", "image" }) {
        const std::string libraries = loaded(std::string(command) + " " + PULSAR);
        EXPECT_EQ(libraries.find("libQt6"), std::string::npos) << command;
        EXPECT_EQ(libraries.find("libpulse"), std::string::npos) << command;
    }
    const fs::path out = TempPath("loads.png");
    EXPECT_NE(
        loaded("render " + PULSAR + " --tick 1 -o " + out.string()).find("libQt6Gui"), std::string::npos);
    fs::remove(out);
    const std::string noServer = "LD_DEBUG=libs PULSE_SERVER=unix:/nonexistent";
    EXPECT_NE(loaded("play " + PULSAR, noServer).find("libpulse"), std::string::npos);
    EXPECT_EQ(loaded("", "LD_TRACE_LOADED_OBJECTS=1", "pemblo").find("libpulse"), std::string::npos);
}

TEST(Cli, UsageErrorsExitWithCode64HelpAndVersionWith0)
{
    // Each refusal names what is accepted.
    const std::pair<const char *, const char *> refusals[] = {
        { "", "usage: pemblo-cli COMMAND" },
        { "frobnicate", "unknown command" },
        { "check", "expected one or more files" },
        { "dump a b", "expected one file" },
        { "simulate x --ticks", "needs a value" },
        { "simulate x --ticks -1", "from 0 to" },
        { "simulate x --ticks 1e3", "from 0 to" },
        { "simulate x --input 5-2", "such as 3,5-10" },
        { "simulate x --input 3,,4", "such as 3,5-10" },
        { "dump x --bogus", "unknown option --bogus" },
        { "render x.lsq --tick 1", "-o is needed" },
        { "render x.lsq -o x.png", "--tick is needed" },
        { "generate", "expected one pattern" },
        { "generate spiral", "unknown pattern" },
        { "generate chase --channels 0-3", "from 1 to 8" },
        { "generate chase --channels 1-9", "from 1 to 8" },
        { "generate chase --channels 9", "from 1 to 8" },
        { "generate chase --time 128", "--time takes a whole number from 1 to 127" },
        { "generate chase --repeat 225", "--repeat takes a whole number from 1 to 224" },
        { "generate twinkle --share 101", "--share takes a whole number from 1 to 100" },
        { "generate chase --fade 4096", "--fade takes a whole number from 0 to 4095" },
        { "generate chase --share 20", "does not apply" },
        { "generate twinkle --reverse", "does not apply" },
        { "animate x.lsq -o x.gif --size 801", "--size takes a whole number from 16 to 800" },
        { "animate x.lsq -o x.gif --ticks 0", "--ticks takes a whole number from 1 to 50000" },
    };
    for (const auto &[arguments, says] : refusals) {
        SCOPED_TRACE(arguments);
        const Result result = Cli(arguments);
        EXPECT_EQ(result.exitCode, 64);
        EXPECT_NE(result.err.find("usage: pemblo-cli"), std::string::npos);
        EXPECT_NE(result.err.find(says), std::string::npos) << result.err;
    }
    const Result help = Cli("simulate --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind("usage: pemblo-cli simulate FILE", 0), 0u);
    // Both programs tell their version, pemblo without opening a window.
    for (const auto &[program, name] :
        { std::pair("pemblo-cli", "pemblo-cli "), std::pair("pemblo", "Pemblo! ") }) {
        const Result version = Cli("--version", program);
        EXPECT_EQ(version.exitCode, 0) << program;
        EXPECT_EQ(version.out, name + std::string(PEMBLO_VERSION "\n"));
    }
}

TEST(Cli, GenerateWritesALoopingSequenceOrSaysWhyNot)
{
    const Result chase = Cli("generate chase --channels 1-8 --time 3");
    ASSERT_EQ(chase.exitCode, 0) << chase.err;
    const auto lines = Lines(chase.out);
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[3], "00000000010003580000");
    EXPECT_EQ(lines[11], "01000000000000470000");

    const Result count = Cli("generate count");
    EXPECT_EQ(count.exitCode, 1);
    EXPECT_EQ(count.err, "pemblo-cli generate: The pattern needs 256 rows, but only 223 are free.\n");
    EXPECT_EQ(Cli("generate bounce -o /dev/full").exitCode, 1);

    // The generator refuses a fade the LEDs never show; the refusal goes out
    // as count's does.
    const Result dark = Cli("generate chase --fade 4095");
    EXPECT_EQ(dark.exitCode, 1);
    EXPECT_EQ(dark.out, "");
}

// The rendered picture of FILE after ticks, or a null image.
QImage Render(const std::string &file, int ticks)
{
    const fs::path out = TempPath("render.png");
    const Result result = Cli("render " + file + " --tick " + std::to_string(ticks) + " -o " + out.string());
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    const QImage image(QString::fromStdString(out.string()));
    fs::remove(out);
    return image;
}

// What the picture shows of the levels is ComposeDevicePicture's, which
// tests/display checks; render draws the levels of the tick it is given.
TEST_F(CliFile, RenderDrawsTheLevelsOfTheTickAsTheDevicePictureComposesThem)
{
    DeviceBundle bundle;
    ASSERT_TRUE(bundle.Open(std::string(PEMBLO_BIN_DIR "/veltor.rcc")));
    const QByteArray picture = bundle.DevicePicture();
    // Channel 3 alone: LED 3 and LED 8, which repeats it.
    const std::string file = Write("0000000008001e580000\n");
    for (const int tick : { 0, 5 }) {
        LedLevels levels {};
        levels[3] = levels[8] = tick ? 127 : 0;
        QImage composed(DEVICE_PICTURE_SIZE, DEVICE_PICTURE_SIZE, QImage::Format_RGB32);
        ComposeDevicePicture(reinterpret_cast<const std::uint8_t *>(picture.constData()),
            static_cast<std::size_t>(picture.size()), levels, composed.bits());
        EXPECT_EQ(Render(file, tick).convertToFormat(QImage::Format_RGB32), composed) << "tick " << tick;
    }

    const fs::path out = TempPath("none.png");
    const Result result = Cli("render " + file + " --tick 1 -o " + out.string() + " --device nope.rcc");
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("nope.rcc"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));
}

// Every -o keeps what it writes into: a file's mode, a file beside it named
// with .part, a symbolic link; a name that is not UTF-8 is the name written.
// Animate's encoders write into a FIFO as into a file (the other commands
// write through WriteOutputFile, whose pipes tests/platform checks).
// Standard output that cannot be written fails the command.
TEST(Cli, OutputsKeepWhatTheyWriteInto)
{
    const fs::path dir = TempPath("outputs");
    fs::create_directories(dir);
    const std::string wav = (dir / "upload.wav").string(), bin = PEMBLO_BIN_DIR "/pemblo-cli ";
    ASSERT_EQ(Cli("wav " + PULSAR + " -o " + wav).exitCode, 0);
    fs::copy_file(PEMBLO_BIN_DIR "/veltor.rcc", dir / "caf\xe9.rcc");
    const std::string commands[] = { "image " + PULSAR, "wav " + PULSAR, "decode " + wav,
        "render " + PULSAR + " --tick 3 --device " + (dir / "caf\xe9.rcc").string(),
        "animate " + PULSAR + " --ticks 30 --size 16" };
    // What animate writes into a pipe called name, which a reader empties.
    const auto throughFifo = [&](const char *name) {
        const std::string fifo = (dir / name).string();
        EXPECT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        EXPECT_EQ(std::system(("timeout 20 cat " + fifo + " >" + fifo + ".out & " + bin + commands[4] + " -o "
                      + fifo + " >/dev/null; wait")
                                  .c_str()),
            0);
        fs::remove(fifo);
        return TakeFileText(fifo + ".out");
    };
    // Every name ends as animate wants it.
    fs::create_symlink("/dev/full", dir / "full.gif");
    std::string written;
    for (const std::string &command : commands) {
        SCOPED_TRACE(command);
        std::ofstream(dir / "kept.gif") << "old";
        std::ofstream(dir / "kept.part") << "mine";
        fs::permissions(dir / "kept.gif", fs::perms::owner_read | fs::perms::owner_write);
        fs::create_symlink("kept.gif", dir / "link.gif");
        for (const char *name : { "kept.gif", "link.gif", "caf\xe9.gif" })
            EXPECT_EQ(Cli(command + " -o " + (dir / name).string()).exitCode, 0) << name;
        EXPECT_EQ(Cli(command + " -o " + (dir / "full.gif").string()).exitCode, 1);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 7) << "no temporary file is left";
        EXPECT_EQ(fs::status(dir / "kept.gif").permissions(), fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_TRUE(fs::is_symlink(dir / "link.gif"));
        EXPECT_EQ(TakeFileText(dir / "kept.part"), "mine");
        written = TakeFileText(dir / "kept.gif");
        EXPECT_EQ(TakeFileText(dir / "caf\xe9.gif"), written);
        fs::remove(dir / "link.gif");
    }
    // written is animate's, the last; an MP4, which cannot seek back in a
    // pipe, comes in fragments there.
    EXPECT_EQ(throughFifo("fifo.gif"), written);
    EXPECT_EQ(throughFifo("fifo.mp4").find("ftyp"), 4u);
    // check and dump, image and decode fail alike, at the last flush.
    for (const std::string &command : { "check " + PULSAR, "simulate " + PULSAR, std::string("--help") }) {
        const int status = std::system((bin + command + " >/dev/full 2>/dev/null").c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << command;
    }
    fs::remove_all(dir);
}

// The frames of an animated GIF, each as it shows on top of those before,
// and when each starts, in centiseconds.
struct GifAnimation {
    std::vector<QImage> frames;
    std::vector<int> starts;
    int length = 0;
};

GifAnimation ReadGif(const fs::path &path)
{
    GifAnimation animation;
    QImageReader reader(QString::fromStdString(path.string()), "gif");
    for (QImage frame; reader.read(&frame);) {
        animation.frames.push_back(frame);
        animation.starts.push_back(animation.length);
        // A shorter delay plays as 10 centiseconds.
        EXPECT_GE(reader.nextImageDelay(), 20) << "frame " << animation.frames.size() - 1;
        animation.length += reader.nextImageDelay() / 10;
    }
    return animation;
}

// How far two pictures are apart: the mean difference of their channels.
double MeanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

TEST_F(CliFile, AnimateRecordsTheRunningDeviceAsRenderPaintsIt)
{
    // A chase without fades: every two ticks another LED alone is lit.
    const std::string chase = Write("");
    ASSERT_EQ(Cli("generate chase --time 2 -o " + chase).exitCode, 0);
    const fs::path out = TempPath("chase.gif");
    const Result result = Cli("animate " + chase + " -o " + out.string() + " --seconds 1 --size 800");
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const GifAnimation gif = ReadGif(out);
    fs::remove(out);
    ASSERT_GT(gif.frames.size(), 30u);
    EXPECT_EQ(gif.length, 100);

    // A frame starting at c centiseconds shows the tick whose 12 ms begin
    // there, rounded: render --tick (slot + 1).
    for (const std::size_t frame : { std::size_t(3), gif.frames.size() - 1 }) {
        int slot = 0;
        while ((12 * slot + 5) / 10 < gif.starts[frame])
            ++slot;
        const QImage rendered = Render(chase, slot + 1);
        ASSERT_EQ(gif.frames[frame].size(), rendered.size());
        // Within the palette's error: one tick off is 2.8 or more.
        EXPECT_LT(MeanDifference(gif.frames[frame], rendered), 2.0) << "frame " << frame;
    }
}

} // namespace
