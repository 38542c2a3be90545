// Plays uploads through the sound server: needs a PulseAudio server whose
// default sink's monitor can be recorded (.ci/run starts one with a null
// sink).

#include "../gui_test.h"
#include "core/row_table.h"
#include "core/sequence_file.h"
#include "display/brelvim_view.h"
#include "document/brelvim_doc.h"
#include "platform/command_table.h"
#include "platform/message_box.h"
#include "platform/output_file.h"
#include "platform/resource_ids.h"
#include "platform/settings_store.h"
#include "run_program.h"
#include "upload/binary_file.h"
#include "upload/fsk_decoder.h"
#include "upload/fsk_signal.h"
#include "upload/fsk_transmitter.h"
#include "upload/recording.h"
#include "upload/upload_image.h"
#include "upload/wav_file.h"
#include "uploader/upload_controller.h"
#include "uploader/upload_dlg.h"
#include "uploader/upload_progress_dlg.h"

#include <QAction>
#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

const std::string EXAMPLE = std::string(PEMBLO_SOURCE_DIR) + "/examples/005_chase.lsq";
// The null sinks scripts/start-pulseaudio loads: the default one and another
// beside it.
const std::string SPEAKERS = "pemblo_null";
const std::string LINE = "pemblo_line";

std::string TempFile(const std::string &name)
{
    return (fs::temp_directory_path() / ("pemblo_play_" + std::to_string(getpid()) + "_" + name)).string();
}

int Count(const char *listing)
{
    FILE *pipe = popen((std::string("pactl list short ") + listing + " 2>/dev/null").c_str(), "r");
    int lines = 0;
    for (int c; (c = std::fgetc(pipe)) != EOF;)
        lines += c == '\n';
    pclose(pipe);
    return lines;
}

// Waits, polling, until done() holds or the deadline passes.
template <typename Condition> bool WaitFor(Condition done, std::chrono::milliseconds deadline)
{
    const auto end = Clock::now() + deadline;
    while (!done()) {
        if (Clock::now() > end)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// parec on a sink's monitor: raw 16-bit mono at 48 kHz into a temporary file.
class Recorder
{
public:
    explicit Recorder(const std::string &monitor)
        : m_path(TempFile(monitor))
    {
        const int sourceOutputs = Count("source-outputs");
        m_pid = fork();
        if (m_pid == 0) {
            const int fd = open(m_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(fd, STDOUT_FILENO);
            execlp("parec", "parec", "--latency-msec=20", "-d", monitor.c_str(), "--format=s16le",
                "--rate=48000", "--channels=1", "--raw", static_cast<char *>(nullptr));
            _exit(127);
        }
        recording = WaitFor([&] { return Count("source-outputs") > sourceOutputs; }, std::chrono::seconds(5));
    }
    ~Recorder()
    {
        Stop();
        fs::remove(m_path);
    }

    void Stop()
    {
        if (m_pid > 0 && kill(m_pid, SIGINT) == 0)
            waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

    PcmAudio Heard() const
    {
        PcmAudio audio { 48000, 1, 16, {} };
        ReadBinaryFile(m_path, audio.bytes);
        return audio;
    }

    // The monitor hands over what has played a little later.
    UploadDecodeResult StopOnceUploadHeard()
    {
        UploadDecodeResult result;
        WaitFor(
            [&] { return (result = DecodeUploadRecording(Heard())).Complete(); }, std::chrono::seconds(3));
        Stop();
        return result;
    }

    bool recording = false;

private:
    std::string m_path;
    pid_t m_pid = -1;
};

ProgramRun PlayExample(const std::string &options = "")
{
    return RunProgram("pemblo-cli play " + EXAMPLE + options);
}

std::chrono::milliseconds SignalLength(BlockRun blocks)
{
    return std::chrono::milliseconds(UploadSignalLength(blocks) * 1000 / UPLOAD_SAMPLE_RATE);
}

// Each test skips without the server and sinks of scripts/start-pulseaudio,
// unless PEMBLO_REQUIRE_SOUND says CI has started them, and leaves no
// interception or setting behind.
class Play : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string server = "command -v parec >/dev/null && pactl info >/dev/null 2>&1";
        const std::string listed = " && pactl list short sinks | cut -f2 | grep -qx ";
        if (std::system((server + listed + SPEAKERS + listed + LINE).c_str()) != 0) {
            if (std::getenv("PEMBLO_REQUIRE_SOUND"))
                FAIL() << "no PulseAudio server with both sinks answers";
            GTEST_SKIP() << "no PulseAudio server with both sinks answers";
        }
        ClearTestSettings();
    }
    void TearDown() override
    {
        InterceptMessageBoxes({});
        InterceptQuestions({});
        CUploadController::InterceptUploadWindow({});
        ClearTestSettings();
    }
};

// Counts the completion events a transmitter posts to it.
class Receiver : public QObject
{
public:
    int events = 0;

protected:
    void customEvent(QEvent *event) override { events += event->type() == TransmitDoneEvent::EventType(); }
};

TEST_F(Play, TransmitterReportsOnceAfterTheSignalAndFreesWhenDestroyed)
{
    std::uint8_t block[UPLOAD_BLOCK_SIZE];
    std::fill(std::begin(block), std::end(block), 0xFF);
    const auto length = SignalLength({ block, 1 });
    const int streams = Count("sink-inputs");

    Receiver receiver;
    FskTransmitter transmitter;
    int done = 0;
    QObject::connect(&transmitter, &FskTransmitter::Done, [&] { ++done; });
    const auto start = Clock::now();
    ASSERT_TRUE(transmitter.Transmit(&receiver, 1, block)) << transmitter.ErrorText().toStdString();
    EXPECT_FALSE(transmitter.Transmit(&receiver, 1, block));
    EXPECT_TRUE(transmitter.IsTransmitting());

    // Then half a second more, for a second report that must not come.
    EXPECT_TRUE(QTest::qWaitFor([&] { return done > 0; }, static_cast<int>(length.count()) + 10'000));
    EXPECT_GE(Clock::now() - start, length);
    QTest::qWait(500);
    EXPECT_EQ(done, 1);
    EXPECT_EQ(receiver.events, 1);
    transmitter.Release();
    EXPECT_FALSE(transmitter.IsTransmitting());

    {
        FskTransmitter playing;
        ASSERT_TRUE(playing.Transmit(nullptr, 1, block));
        EXPECT_GT(Count("sink-inputs"), streams);
    }
    EXPECT_TRUE(WaitFor([&] { return Count("sink-inputs") == streams; }, std::chrono::seconds(3)));
}

// The default sequence in the simulation view, with its commands.
struct ViewWithDefaultRows {
    ViewWithDefaultRows()
    {
        document.m_rows.LoadDefault();
        view.RegisterCommands(commands);
    }

    std::chrono::milliseconds Length() const
    {
        return SignalLength(ImageBlocks(EncodeUploadImage(document.m_rows)));
    }
    // As the progress window tells it.
    QString Seconds() const { return QString::number(Length().count() / 1000.0, 'f', 1); }
    CUploadProgressDlg *Progress() const { return view.findChild<CUploadProgressDlg *>(); }
    bool UploadEnabled()
    {
        commands.UpdateCommandUI();
        return commands.Action(ID_UPLOAD)->isEnabled();
    }

    CBrelvimDoc document;
    CBrelvimView view { document, QByteArray(), [] { return RGB32_FORMAT; } };
    CommandTable commands;
};

// The view's upload as the user sees it: an output that appears after a
// failed upload is used, the progress window shows (how its text advances,
// the next test sees), Esc in it stops the upload as its end would, and
// quitting during an upload asks first.
TEST_F(Play, TheViewUploadsOnTheOutputThereIsNowShowsProgressAndStops)
{
    std::vector<MessageBoxRequest> boxes;
    std::vector<QuestionRequest> questions;
    InterceptMessageBoxes([&](const MessageBoxRequest &box) { boxes.push_back(box); });
    bool stopToQuit = false;
    InterceptQuestions([&](const QuestionRequest &question) {
        questions.push_back(question);
        return stopToQuit;
    });
    // With two outputs and none chosen the Upload window asks first.
    CUploadController::InterceptUploadWindow([](CUploadDlg &) { return true; });
    ViewWithDefaultRows shown;
    const int streams = Count("sink-inputs");

    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/pulse");
    shown.commands.Execute(ID_UPLOAD);
    ASSERT_EQ(boxes.size(), 1u);
    server.isNull() ? qunsetenv("PULSE_SERVER") : qputenv("PULSE_SERVER", server);
    shown.commands.Execute(ID_UPLOAD);
    ASSERT_EQ(boxes.size(), 1u) << boxes.back().text.toStdString();

    CUploadProgressDlg *progress = shown.Progress();
    ASSERT_TRUE(progress && progress->isVisible());
    ASSERT_TRUE(WaitFor([&] { return Count("sink-inputs") > streams; }, std::chrono::seconds(3)));
    EXPECT_FALSE(shown.UploadEnabled());

    EXPECT_FALSE(shown.view.QueryStopUploadToQuit());
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, "An upload is in progress. Stop it and quit?");
    EXPECT_FALSE(questions[0].acceptIsDefault);
    EXPECT_TRUE(shown.Progress());

    QTest::keyClick(progress, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.Progress(); }, 2000));
    EXPECT_EQ(Count("sink-inputs"), streams);
    EXPECT_TRUE(shown.UploadEnabled());
    EXPECT_TRUE(shown.view.QueryStopUploadToQuit());
    EXPECT_EQ(questions.size(), 1u);

    stopToQuit = true;
    shown.commands.Execute(ID_UPLOAD);
    EXPECT_TRUE(shown.view.QueryStopUploadToQuit());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.Progress(); }, 2000));
}

// What play plays decodes to the image: it waits for the last sample, after
// which alone the transmitter reports (see the first test).
TEST_F(Play, PlayUsesTheDefaultOrTheNamedOutputAloneAndRefusesAMutedOrMissingOne)
{
    const ProgramRun outputs = RunProgram("pemblo-cli outputs");
    EXPECT_EQ(outputs.exitCode, 0) << outputs.err;
    for (const std::string &sink : { SPEAKERS, LINE })
        EXPECT_NE(outputs.out.find(sink + "\t"), std::string::npos) << outputs.out;
    EXPECT_NE(outputs.out.find("\tdefault,volume="), std::string::npos) << outputs.out;

    RowTable table;
    LoadSequenceFile(table, EXAMPLE);
    const UploadImage image = EncodeUploadImage(table);
    const std::string defaultMonitor = "@DEFAULT_MONITOR@", lineMonitor = LINE + ".monitor";
    const std::string runs[][3]
        = { { "", defaultMonitor, lineMonitor }, { " --output " + LINE, lineMonitor, defaultMonitor } };
    for (const auto &[options, playsOn, silent] : runs) {
        SCOPED_TRACE(options);
        Recorder heard(playsOn), quiet(silent);
        ASSERT_TRUE(heard.recording && quiet.recording);
        const ProgramRun play = PlayExample(options);
        EXPECT_EQ(play.exitCode, 0) << play.err;
        const UploadDecodeResult result = heard.StopOnceUploadHeard();
        EXPECT_EQ(result.missingBlocks, std::vector<int>());
        EXPECT_EQ(result.damagedBlocks, std::vector<int>());
        EXPECT_TRUE(result.image == image);
        quiet.Stop();
        const std::vector<std::uint8_t> nothing = quiet.Heard().bytes;
        EXPECT_TRUE(std::all_of(nothing.begin(), nothing.end(), [](std::uint8_t b) { return b == 0; }));
    }

    ASSERT_EQ(std::system(("pactl set-sink-mute " + LINE + " 1").c_str()), 0);
    const ProgramRun muted = PlayExample(" --output " + LINE);
    EXPECT_EQ(std::system(("pactl set-sink-mute " + LINE + " 0").c_str()), 0);
    EXPECT_EQ(muted.exitCode, 1);
    EXPECT_EQ(muted.err, "pemblo-cli play: the sound output " + LINE + " is muted\n");
    const ProgramRun gone = PlayExample(" --output pemblo_nowhere");
    EXPECT_EQ(gone.exitCode, 1);
    EXPECT_EQ(gone.err, "pemblo-cli play: there is no sound output called pemblo_nowhere\n");
}

// A tone of 800 Hz for 3 s, as loud as the signal, mixed into the output
// from 4.5 s on: wherever the output's latency puts it, it lands in the
// frames of some blocks.
TEST_F(Play, VerifyPassesAloneAndNamesTheBlocksANoiseDisturbed)
{
    const ProgramRun alone = PlayExample(" --output " + LINE + " --verify");
    EXPECT_EQ(alone.exitCode, 0) << alone.err;
    EXPECT_EQ(alone.out, "all blocks left the computer intact\n");
    EXPECT_EQ(alone.err.rfind(LINE + ".monitor: peak ", 0), 0u) << alone.err;

    const std::string tone = TempFile("tone.wav");
    PcmAudio audio { 48000, 1, 16, {} };
    for (int i = 0; i < 144000; ++i) {
        const auto sample
            = static_cast<std::int16_t>(32000.0 * std::sin(2.0 * 3.14159265 * 800.0 * i / 48000.0));
        audio.bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
        audio.bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
    }
    const std::vector<std::uint8_t> wav = EncodeWav(audio);
    ASSERT_EQ(WriteOutputFile(tone, wav.data(), wav.size()), "");
    ASSERT_EQ(std::system(("(sleep 4.5; paplay -d " + LINE + " " + tone + ") >/dev/null 2>&1 &").c_str()), 0);
    const ProgramRun disturbed = PlayExample(" --output " + LINE + " --verify");
    fs::remove(tone);
    EXPECT_EQ(disturbed.exitCode, 1) << disturbed.err;
    EXPECT_NE(disturbed.err.find("pemblo-cli play: disturbed blocks: "), std::string::npos) << disturbed.err;
    EXPECT_NE(disturbed.err.find("(another sound)"), std::string::npos) << disturbed.err;
}

// A chosen output that has gone: the window says so, another is chosen in
// it, the upload plays there and the settings keep it, so that the next
// upload asks no more. Within a second of the signal's end the progress
// window tells that every block left intact.
TEST_F(Play, AGoneOutputFallsBackTheOneChosenInsteadIsKeptAndItsUploadChecked)
{
    const QString section = QLatin1String(SettingsStore::SECTION);
    const QString key = QLatin1String(SettingsStore::KEY_OUTPUT);
    SettingsStore::WriteProfileString(section, key, QStringLiteral("pemblo_gone"));
    QString said;
    int asked = 0;
    CUploadController::InterceptUploadWindow([&](CUploadDlg &window) {
        ++asked;
        said = window.SoundPathText();
        window.OutputList()->setCurrentIndex(window.OutputList()->findData(QString::fromStdString(LINE)));
        return true;
    });
    const int streams = Count("sink-inputs");
    ViewWithDefaultRows shown;
    shown.commands.Execute(ID_UPLOAD);
    EXPECT_EQ(said, "The output chosen before, pemblo_gone, is not there; the default output plays instead.");
    EXPECT_EQ(SettingsStore::GetProfileString(section, key).toStdString(), LINE);
    EXPECT_TRUE(WaitFor([&] { return Count("sink-inputs") > streams; }, std::chrono::seconds(3)));
    // Every stream plays on that output.
    const std::string onLine = "test \"$(pactl list short sink-inputs | cut -f2 | sort -u)\" = "
                               "\"$(pactl list short sinks | awk -v n="
        + LINE + " '$2 == n { print $1 }')\"";
    EXPECT_EQ(std::system(onLine.c_str()), 0);

    CUploadProgressDlg *progress = shown.Progress();
    ASSERT_TRUE(progress);
    const QString end = QStringLiteral("Uploading: %1 s of %1 s").arg(shown.Seconds());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return progress->ProgressText() == end; }, static_cast<int>(shown.Length().count()) + 5000));
    const auto ended = Clock::now();
    ASSERT_TRUE(QTest::qWaitFor([&] { return progress->IsShowingResult(); }));
    EXPECT_LT(Clock::now() - ended, std::chrono::seconds(1));
    EXPECT_TRUE(progress->ResultText().startsWith("All 14 blocks left the computer intact (peak "))
        << progress->ResultText().toStdString();
    EXPECT_TRUE(shown.UploadEnabled());

    ViewWithDefaultRows again;
    again.commands.Execute(ID_UPLOAD);
    EXPECT_EQ(asked, 1);
    again.view.OnStopUpload();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !again.Progress(); }, 2000));
}

} // namespace
