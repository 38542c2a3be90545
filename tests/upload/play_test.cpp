// Plays uploads through the sound server: needs a PulseAudio server whose
// default sink's monitor can be recorded (.ci/run starts one with a null
// sink).

#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "display/brelvim_view.h"
#include "display/upload_progress_dlg.h"
#include "document/brelvim_doc.h"
#include "platform/command_table.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "upload/binary_file.h"
#include "upload/fsk_decoder.h"
#include "upload/fsk_signal.h"
#include "upload/fsk_transmitter.h"
#include "upload/recording.h"
#include "upload/wav_file.h"

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
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

// Without a server these tests skip, unless PEMBLO_REQUIRE_SOUND is set, as
// CI does once it has started one.
bool NoSoundServer()
{
    if (std::system("pactl info >/dev/null 2>&1") == 0 && std::system("command -v parec >/dev/null") == 0)
        return false;
    if (std::getenv("PEMBLO_REQUIRE_SOUND"))
        ADD_FAILURE() << "no PulseAudio server answers";
    return true;
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

// parec on the default sink's monitor: raw 16-bit mono at 48 kHz into a file.
struct Recorder {
    explicit Recorder(const std::string &path)
    {
        const int sourceOutputs = Count("source-outputs");
        m_pid = fork();
        if (m_pid == 0) {
            const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(fd, STDOUT_FILENO);
            execlp("parec", "parec", "--latency-msec=20", "-d", "@DEFAULT_MONITOR@", "--format=s16le",
                "--rate=48000", "--channels=1", "--raw", static_cast<char *>(nullptr));
            _exit(127);
        }
        recording = WaitFor([&] { return Count("source-outputs") > sourceOutputs; }, std::chrono::seconds(5));
    }
    ~Recorder() { Stop(); }

    void Stop()
    {
        if (m_pid > 0 && kill(m_pid, SIGINT) == 0)
            waitpid(m_pid, nullptr, 0);
        m_pid = -1;
    }

    pid_t m_pid = -1;
    bool recording = false;
};

UploadDecodeResult DecodeRecording(const std::string &path)
{
    PcmAudio audio { 48000, 1, 16, {} };
    ReadBinaryFile(path, audio.bytes);
    return DecodeUploadRecording(audio);
}

UploadImage ExampleImage()
{
    RowTable table;
    LoadSequenceFile(table, EXAMPLE);
    return EncodeUploadImage(table);
}

std::chrono::milliseconds SignalLength(BlockRun blocks)
{
    return std::chrono::milliseconds(UploadSignalLength(blocks) * 1000 / UPLOAD_SAMPLE_RATE);
}

// Counts the completion events a transmitter posts to it.
class Receiver : public QObject
{
public:
    int events = 0;

protected:
    void customEvent(QEvent *event) override { events += event->type() == TransmitDoneEvent::EventType(); }
};

TEST(Play, RecordingOfPlayDecodesToTheImageAndPlayWaitsForTheLastSample)
{
    if (NoSoundServer())
        GTEST_SKIP() << "no PulseAudio server answers";
    const UploadImage image = ExampleImage();
    const std::string recording
        = (fs::temp_directory_path() / ("pemblo_play_" + std::to_string(getpid()))).string();
    Recorder recorder(recording);
    ASSERT_TRUE(recorder.recording);

    const auto start = Clock::now();
    const std::string command = std::string(PEMBLO_BIN_DIR) + "/pemblo-cli play " + EXAMPLE;
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_GE(Clock::now() - start, SignalLength(ImageBlocks(image)));

    // The monitor hands over what has played a little later.
    UploadDecodeResult result;
    WaitFor([&] { return (result = DecodeRecording(recording)).Complete(); }, std::chrono::seconds(3));
    recorder.Stop();
    fs::remove(recording);
    EXPECT_EQ(result.missingBlocks, std::vector<int>());
    EXPECT_EQ(result.damagedBlocks, std::vector<int>());
    EXPECT_TRUE(result.image == image);
}

TEST(Play, TransmitterReportsOnceAfterTheSignalAndFreesWhenDestroyed)
{
    if (NoSoundServer())
        GTEST_SKIP() << "no PulseAudio server answers";
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
    const QDeadlineTimer deadline(length.count() + 10'000);
    while (done == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_GE(Clock::now() - start, length);
    for (const QDeadlineTimer settle(500); !settle.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
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

// The view's upload as the user sees it: an output that appears after a
// failed upload is used, the progress window advances, Esc in it stops the
// upload as its end would, and quitting during an upload asks first.
TEST(Play, TheViewUploadsOnTheOutputThereIsNowShowsProgressAndStops)
{
    if (NoSoundServer())
        GTEST_SKIP() << "no PulseAudio server answers";
    std::vector<MessageBoxRequest> boxes;
    std::vector<QuestionRequest> questions;
    InterceptMessageBoxes([&](const MessageBoxRequest &box) { boxes.push_back(box); });
    bool stopToQuit = false;
    InterceptQuestions([&](const QuestionRequest &question) {
        questions.push_back(question);
        return stopToQuit;
    });
    CBrelvimDoc document;
    document.m_rows.LoadDefault();
    CBrelvimView view(document, QByteArray(), [] { return DisplayFormat { 32, 0 }; });
    CommandTable commands;
    view.RegisterCommands(commands);
    const int streams = Count("sink-inputs");

    const QByteArray server = qgetenv("PULSE_SERVER");
    qputenv("PULSE_SERVER", "unix:/nonexistent/pulse");
    commands.Execute(ID_UPLOAD);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The upload cannot start. There is no sound output.");
    if (server.isNull())
        qunsetenv("PULSE_SERVER");
    else
        qputenv("PULSE_SERVER", server);
    commands.Execute(ID_UPLOAD);
    ASSERT_EQ(boxes.size(), 1u) << boxes.back().text.toStdString();

    auto *progress = view.findChild<CUploadProgressDlg *>();
    ASSERT_TRUE(progress && progress->isVisible());
    const auto length = SignalLength(ImageBlocks(EncodeUploadImage(document.m_rows)));
    const QString start = progress->ProgressText();
    const QRegularExpression text(
        QStringLiteral(R"(^Uploading: \d+\.\d s of %1 s$)")
            .arg(QRegularExpression::escape(QString::number(length.count() / 1000.0, 'f', 1))));
    EXPECT_TRUE(text.match(start).hasMatch()) << start.toStdString();
    QTRY_VERIFY_WITH_TIMEOUT(progress->ProgressText() != start, 5000);
    commands.UpdateCommandUI();
    EXPECT_FALSE(commands.Action(ID_UPLOAD)->isEnabled());

    EXPECT_FALSE(view.QueryStopUploadToQuit());
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, "An upload is in progress. Stop it and quit?");
    EXPECT_FALSE(questions[0].acceptIsDefault);
    EXPECT_TRUE(view.findChild<CUploadProgressDlg *>());

    QTest::keyClick(progress, Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!view.findChild<CUploadProgressDlg *>(), 2000);
    EXPECT_EQ(Count("sink-inputs"), streams);
    commands.UpdateCommandUI();
    EXPECT_TRUE(commands.Action(ID_UPLOAD)->isEnabled());
    EXPECT_TRUE(view.QueryStopUploadToQuit());
    EXPECT_EQ(questions.size(), 1u);

    stopToQuit = true;
    commands.Execute(ID_UPLOAD);
    EXPECT_TRUE(view.QueryStopUploadToQuit());
    QTRY_VERIFY_WITH_TIMEOUT(!view.findChild<CUploadProgressDlg *>(), 2000);
    InterceptMessageBoxes({});
    InterceptQuestions({});
}

} // namespace
