// The sound module: lists the outputs and plays the upload signal through
// the PulseAudio client library (PipeWire serves it too), recording the
// output's monitor while it plays. Its own thread runs the library's main
// loop; the caller's thread takes the loop's lock for every call.

#include "core/constants.h"
#include "upload/pulse_connection.h"
#include "upload/sound_playback.h"

#include <pulse/introspect.h>
#include <pulse/stream.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace
{

constexpr char STREAM_NAME[] = "VELTOR upload";
constexpr char MONITOR_STREAM_NAME[] = "VELTOR upload check";
// How far the server buffers ahead of the output: enough to ride out a busy
// machine, since a gap would spoil the upload. Stopping takes the stream off
// the output with whatever it has buffered, so this does not delay a stop.
constexpr pa_usec_t BUFFER_US = 1'000'000;
// How often the monitor hands its samples over.
constexpr pa_usec_t MONITOR_FRAGMENT_US = 50'000;
// Room the recording reserves beyond the samples played.
constexpr std::size_t MONITOR_SLACK_SAMPLES = 2 * UPLOAD_SAMPLE_RATE;

class PulsePlayback final : public SoundPlayback
{
public:
    explicit PulsePlayback(SoundPlaybackRequest request)
        : m_request(std::move(request))
    {
    }
    ~PulsePlayback() override;
    PulsePlayback(const PulsePlayback &) = delete;
    PulsePlayback &operator=(const PulsePlayback &) = delete;

    SoundOutputError Open();
    std::int64_t PlayedUs() override;
    State GetState() override;
    std::string OutputName() override;
    std::vector<float> TakeMonitorRecording() override;

private:
    // With the loop's lock held.
    bool StartMonitor(const std::string &sink);
    SoundOutputError StartStream(const std::string &sink);
    void DisconnectStream(pa_stream *&stream);
    pa_usec_t StreamTimeUs();
    pa_usec_t TotalUs();

    static void OnWritable(pa_stream *stream, std::size_t bytes, void *self);
    static void OnDrained(pa_stream *stream, int success, void *self);
    static void OnRecorded(pa_stream *stream, std::size_t bytes, void *self);

    SoundPlaybackRequest m_request;
    std::size_t m_written = 0;
    bool m_drained = false;
    PulseConnection m_connection;
    pa_stream *m_stream = nullptr;
    pa_stream *m_monitor = nullptr;
    std::vector<float> m_recording;
    std::string m_outputName;
};

PulsePlayback::~PulsePlayback()
{
    if (!m_connection.Loop())
        return;
    LoopLock lock(m_connection.Loop());
    DisconnectStream(m_monitor);
    DisconnectStream(m_stream);
}

// Closing the stream takes it off the output at once; pending operations on
// it are cancelled without their callbacks.
void PulsePlayback::DisconnectStream(pa_stream *&stream)
{
    if (!stream)
        return;
    pa_stream_set_state_callback(stream, nullptr, nullptr);
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    pa_stream_set_read_callback(stream, nullptr, nullptr);
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    stream = nullptr;
}

SoundOutputError PulsePlayback::Open()
{
    if (!m_connection.Start())
        return SoundOutputError::CannotOpen;
    LoopLock lock(m_connection.Loop());
    if (!m_connection.Connect())
        return SoundOutputError::NoOutput;
    const std::string sink = m_request.output.empty() ? m_connection.DefaultSinkName() : m_request.output;
    // The monitor records from before the first sample on, so that the
    // check hears the whole signal.
    if (m_request.recordMonitor && !StartMonitor(sink))
        DisconnectStream(m_monitor);
    return StartStream(sink);
}

bool PulsePlayback::StartMonitor(const std::string &sink)
{
    const std::string source = m_connection.MonitorOfSink(sink);
    if (source.empty())
        return false;
    const pa_sample_spec format { PA_SAMPLE_FLOAT32NE, UPLOAD_SAMPLE_RATE, 1 };
    m_monitor = pa_stream_new(m_connection.Context(), MONITOR_STREAM_NAME, &format, nullptr);
    if (!m_monitor)
        return false;
    m_recording.reserve(m_request.samples.size() + MONITOR_SLACK_SAMPLES);
    pa_buffer_attr buffer;
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(pa_usec_to_bytes(MONITOR_FRAGMENT_US, &format));
    pa_stream_set_state_callback(m_monitor, WakeWaiter<pa_stream>, m_connection.Loop());
    pa_stream_set_read_callback(m_monitor, OnRecorded, this);
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_DONT_MOVE | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_record(m_monitor, source.c_str(), &buffer, flags) < 0)
        return false;
    return m_connection.WaitFor(
        [this] { return pa_stream_get_state(m_monitor); }, PA_STREAM_READY, PA_STREAM_IS_GOOD);
}

// On the sink named, never moved elsewhere by the server's memory of where
// this program played before, at full volume and unmuted: the sink's own
// volume is the only one that counts.
SoundOutputError PulsePlayback::StartStream(const std::string &sink)
{
    const pa_sample_spec format { PA_SAMPLE_U8, UPLOAD_SAMPLE_RATE, 1 };
    m_stream = pa_stream_new(m_connection.Context(), STREAM_NAME, &format, nullptr);
    if (!m_stream)
        return SoundOutputError::CannotOpen;
    pa_buffer_attr buffer;
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(BUFFER_US, &format));
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    pa_stream_set_state_callback(m_stream, WakeWaiter<pa_stream>, m_connection.Loop());
    pa_stream_set_write_callback(m_stream, OnWritable, this);
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING
        | PA_STREAM_AUTO_TIMING_UPDATE | PA_STREAM_DONT_MOVE | PA_STREAM_START_UNMUTED);
    pa_cvolume full;
    pa_cvolume_set(&full, format.channels, PA_VOLUME_NORM);
    if (pa_stream_connect_playback(
            m_stream, sink.empty() ? nullptr : sink.c_str(), &buffer, flags, &full, nullptr)
        < 0)
        return SoundOutputError::CannotOpen;
    if (!m_connection.WaitFor(
            [this] { return pa_stream_get_state(m_stream); }, PA_STREAM_READY, PA_STREAM_IS_GOOD))
        return pa_context_errno(m_connection.Context()) == PA_ERR_NOENTITY ? SoundOutputError::OutputGone
                                                                           : SoundOutputError::CannotOpen;
    if (const char *name = pa_stream_get_device_name(m_stream))
        m_outputName = name;
    // Nothing but the output's own volume may stand between the signal and
    // the device.
    if (!m_connection.MakeStreamFullVolume(pa_stream_get_index(m_stream)))
        return SoundOutputError::CannotOpen;
    // A recording of another output than the one playing checks nothing.
    if (m_outputName != sink)
        DisconnectStream(m_monitor);
    return SoundOutputError::None;
}

// The server asks for more; once the last sample is written, the drain tells
// when it has played.
void PulsePlayback::OnWritable(pa_stream *stream, std::size_t bytes, void *self)
{
    auto &playback = *static_cast<PulsePlayback *>(self);
    const std::vector<std::uint8_t> &samples = playback.m_request.samples;
    const std::size_t count = std::min(bytes, samples.size() - playback.m_written);
    pa_stream_write(stream, samples.data() + playback.m_written, count, nullptr, 0, PA_SEEK_RELATIVE);
    playback.m_written += count;
    if (playback.m_written < samples.size())
        return;
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    pa_operation_unref(pa_stream_drain(stream, OnDrained, self));
}

// The monitor has heard what the output played by now; the recording ends.
void PulsePlayback::OnDrained(pa_stream *, int success, void *self)
{
    auto &playback = *static_cast<PulsePlayback *>(self);
    playback.m_drained = success != 0;
    if (playback.m_monitor)
        pa_stream_set_read_callback(playback.m_monitor, nullptr, nullptr);
}

void PulsePlayback::OnRecorded(pa_stream *stream, std::size_t, void *self)
{
    auto &recording = static_cast<PulsePlayback *>(self)->m_recording;
    const void *data = nullptr;
    std::size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0 && pa_stream_peek(stream, &data, &bytes) == 0 && bytes > 0) {
        const std::size_t count = bytes / sizeof(float);
        // A hole in the monitor's data is silence.
        if (data) {
            const auto *samples = static_cast<const float *>(data);
            recording.insert(recording.end(), samples, samples + count);
        } else {
            recording.resize(recording.size() + count, 0.0f);
        }
        pa_stream_drop(stream);
    }
}

std::int64_t PulsePlayback::PlayedUs()
{
    LoopLock lock(m_connection.Loop());
    return static_cast<std::int64_t>(std::min(StreamTimeUs(), TotalUs()));
}

pa_usec_t PulsePlayback::StreamTimeUs()
{
    pa_usec_t played = 0;
    return pa_stream_get_time(m_stream, &played) < 0 ? 0 : played;
}

pa_usec_t PulsePlayback::TotalUs()
{
    return pa_bytes_to_usec(m_request.samples.size(), pa_stream_get_sample_spec(m_stream));
}

// Some outputs (a null sink among them) report the drain well after the
// stream's clock has passed the last sample; either says it has played.
SoundPlayback::State PulsePlayback::GetState()
{
    LoopLock lock(m_connection.Loop());
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream)))
        return State::Failed;
    const bool allWritten = m_written == m_request.samples.size();
    return m_drained || (allWritten && StreamTimeUs() >= TotalUs()) ? State::Played : State::Playing;
}

std::string PulsePlayback::OutputName()
{
    LoopLock lock(m_connection.Loop());
    return m_outputName;
}

std::vector<float> PulsePlayback::TakeMonitorRecording()
{
    LoopLock lock(m_connection.Loop());
    return std::move(m_recording);
}

} // namespace

extern "C" SoundPlayback *OpenSoundPlayback(SoundPlaybackRequest request, SoundOutputError *error)
{
    auto playback = std::make_unique<PulsePlayback>(std::move(request));
    *error = playback->Open();
    return *error == SoundOutputError::None ? playback.release() : nullptr;
}

extern "C" bool ListSoundOutputs(std::vector<SoundOutput> *outputs)
{
    PulseConnection connection;
    if (!connection.Start())
        return false;
    LoopLock lock(connection.Loop());
    return connection.Connect() && connection.ListSinks(*outputs);
}

extern "C" bool UnmuteSoundOutput(const std::string &name)
{
    PulseConnection connection;
    if (!connection.Start())
        return false;
    LoopLock lock(connection.Loop());
    return connection.Connect() && connection.UnmuteSink(name);
}
