// The sound module: plays the upload signal through the PulseAudio client
// library (PipeWire serves it too). Its own thread runs the library's main
// loop; the caller's thread takes the loop's lock for every call.

#include "core/constants.h"
#include "upload/sound_playback.h"

#include <pulse/context.h>
#include <pulse/stream.h>
#include <pulse/thread-mainloop.h>

#include <algorithm>
#include <memory>

namespace
{

constexpr char CLIENT_NAME[] = "Pemblo!";
constexpr char STREAM_NAME[] = "VELTOR upload";
// How far the server buffers ahead of the output: enough to ride out a busy
// machine, since a gap would spoil the upload. Stopping takes the stream off
// the output with whatever it has buffered, so this does not delay a stop.
constexpr pa_usec_t BUFFER_US = 1'000'000;

class LoopLock
{
public:
    explicit LoopLock(pa_threaded_mainloop *loop)
        : m_loop(loop)
    {
        pa_threaded_mainloop_lock(m_loop);
    }
    ~LoopLock() { pa_threaded_mainloop_unlock(m_loop); }
    LoopLock(const LoopLock &) = delete;
    LoopLock &operator=(const LoopLock &) = delete;

private:
    pa_threaded_mainloop *m_loop;
};

// State callbacks only wake whoever waits for the state.
template <typename Object> void WakeWaiter(Object *, void *loop)
{
    pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop *>(loop), 0);
}

class PulsePlayback final : public SoundPlayback
{
public:
    explicit PulsePlayback(std::vector<std::uint8_t> samples)
        : m_samples(std::move(samples))
    {
    }
    ~PulsePlayback() override;
    PulsePlayback(const PulsePlayback &) = delete;
    PulsePlayback &operator=(const PulsePlayback &) = delete;

    SoundOutputError Open();
    std::int64_t PlayedUs() override;
    State GetState() override;

private:
    // With the loop's lock held.
    bool Connect();
    bool StartStream();
    void Disconnect();
    // Waits on the loop until state() is ready; false once it is not good.
    template <typename GetState, typename State, typename IsGood>
    bool WaitFor(GetState state, State ready, IsGood isGood)
    {
        for (State now = state(); now != ready; now = state()) {
            if (!isGood(now))
                return false;
            pa_threaded_mainloop_wait(m_loop);
        }
        return true;
    }

    static void OnWritable(pa_stream *stream, std::size_t bytes, void *self);
    static void OnDrained(pa_stream *stream, int success, void *self);

    std::vector<std::uint8_t> m_samples;
    std::size_t m_written = 0;
    bool m_drained = false;
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
};

PulsePlayback::~PulsePlayback()
{
    if (!m_loop)
        return;
    {
        LoopLock lock(m_loop);
        Disconnect();
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

// Closing the stream takes it off the output at once; pending operations on
// it are cancelled without their callbacks.
void PulsePlayback::Disconnect()
{
    if (m_stream) {
        pa_stream_set_state_callback(m_stream, nullptr, nullptr);
        pa_stream_set_write_callback(m_stream, nullptr, nullptr);
        pa_stream_disconnect(m_stream);
        pa_stream_unref(m_stream);
        m_stream = nullptr;
    }
    if (m_context) {
        pa_context_set_state_callback(m_context, nullptr, nullptr);
        pa_context_disconnect(m_context);
        pa_context_unref(m_context);
        m_context = nullptr;
    }
}

SoundOutputError PulsePlayback::Open()
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return SoundOutputError::CannotOpen;
    if (pa_threaded_mainloop_start(m_loop) < 0)
        return SoundOutputError::CannotOpen;
    LoopLock lock(m_loop);
    if (!Connect())
        return SoundOutputError::NoOutput;
    if (!StartStream())
        return SoundOutputError::CannotOpen;
    return SoundOutputError::None;
}

bool PulsePlayback::Connect()
{
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), CLIENT_NAME);
    if (!m_context)
        return false;
    pa_context_set_state_callback(m_context, WakeWaiter<pa_context>, m_loop);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0)
        return false;
    return WaitFor([this] { return pa_context_get_state(m_context); }, PA_CONTEXT_READY, PA_CONTEXT_IS_GOOD);
}

bool PulsePlayback::StartStream()
{
    const pa_sample_spec format { PA_SAMPLE_U8, UPLOAD_SAMPLE_RATE, 1 };
    m_stream = pa_stream_new(m_context, STREAM_NAME, &format, nullptr);
    if (!m_stream)
        return false;
    pa_buffer_attr buffer;
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.tlength = static_cast<std::uint32_t>(pa_usec_to_bytes(BUFFER_US, &format));
    buffer.prebuf = static_cast<std::uint32_t>(-1);
    buffer.minreq = static_cast<std::uint32_t>(-1);
    buffer.fragsize = static_cast<std::uint32_t>(-1);
    pa_stream_set_state_callback(m_stream, WakeWaiter<pa_stream>, m_loop);
    pa_stream_set_write_callback(m_stream, OnWritable, this);
    const auto flags = static_cast<pa_stream_flags_t>(
        PA_STREAM_ADJUST_LATENCY | PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(m_stream, nullptr, &buffer, flags, nullptr, nullptr) < 0)
        return false;
    return WaitFor([this] { return pa_stream_get_state(m_stream); }, PA_STREAM_READY, PA_STREAM_IS_GOOD);
}

// The server asks for more; once the last sample is written, the drain tells
// when it has played.
void PulsePlayback::OnWritable(pa_stream *stream, std::size_t bytes, void *self)
{
    auto &playback = *static_cast<PulsePlayback *>(self);
    const std::size_t count = std::min(bytes, playback.m_samples.size() - playback.m_written);
    pa_stream_write(
        stream, playback.m_samples.data() + playback.m_written, count, nullptr, 0, PA_SEEK_RELATIVE);
    playback.m_written += count;
    if (playback.m_written < playback.m_samples.size())
        return;
    pa_stream_set_write_callback(stream, nullptr, nullptr);
    pa_operation_unref(pa_stream_drain(stream, OnDrained, self));
}

void PulsePlayback::OnDrained(pa_stream *, int success, void *self)
{
    static_cast<PulsePlayback *>(self)->m_drained = success != 0;
}

std::int64_t PulsePlayback::PlayedUs()
{
    LoopLock lock(m_loop);
    pa_usec_t played = 0;
    if (pa_stream_get_time(m_stream, &played) < 0)
        return 0;
    return static_cast<std::int64_t>(
        std::min(played, pa_bytes_to_usec(m_samples.size(), pa_stream_get_sample_spec(m_stream))));
}

SoundPlayback::State PulsePlayback::GetState()
{
    LoopLock lock(m_loop);
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(m_stream)))
        return State::Failed;
    return m_drained ? State::Played : State::Playing;
}

} // namespace

extern "C" SoundPlayback *OpenSoundPlayback(std::vector<std::uint8_t> samples, SoundOutputError *error)
{
    auto playback = std::make_unique<PulsePlayback>(std::move(samples));
    *error = playback->Open();
    return *error == SoundOutputError::None ? playback.release() : nullptr;
}
