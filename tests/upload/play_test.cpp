// Plays uploads through the sound server: needs a PulseAudio server whose
// default sink's monitor can be recorded (.ci/run starts one with a null
// sink).

#include "core/row_table.h"
#include "core/sequence_file.h"
#include "core/sequence_interpreter.h"
#include "upload/binary_file.h"
#include "upload/fsk_decoder.h"
#include "upload/fsk_signal.h"
#include "upload/fsk_transmitter.h"
#include "upload/recording.h"
#include "upload/wav_file.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

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
    SequenceInterpreter device(table);
    LoadSequenceFile(device, EXAMPLE);
    return EncodeUploadImage(table);
}

std::chrono::milliseconds SignalLength(BlockRun blocks)
{
    return std::chrono::milliseconds(UploadSignalLength(blocks) * 1000 / UPLOAD_SAMPLE_RATE);
}

QCoreApplication &Application()
{
    static int argc = 1;
    static char name[] = "play_tests";
    static char *argv[] = { name, nullptr };
    static QCoreApplication application(argc, argv);
    return application;
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
    Application();
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

} // namespace
