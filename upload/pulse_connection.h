#pragma once

#include "upload/sound_output.h"

#include <pulse/context.h>
#include <pulse/thread-mainloop.h>

#include <cstdint>
#include <string>

// Part of the sound module: a connection to the sound server with its main
// loop on a thread of its own. Every call but Start needs the loop's lock.

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

class PulseConnection
{
public:
    PulseConnection() = default;
    // Lets go of the server and stops the loop.
    ~PulseConnection();
    PulseConnection(const PulseConnection &) = delete;
    PulseConnection &operator=(const PulseConnection &) = delete;

    // Starts the loop's thread; without the lock.
    bool Start();
    // False when no server answers.
    bool Connect();

    pa_threaded_mainloop *Loop() const { return m_loop; }
    pa_context *Context() const { return m_context; }

    // Empty when the server has none.
    std::string DefaultSinkName();
    // The source that records what the sink named plays; empty when there is
    // none.
    std::string MonitorOfSink(const std::string &sink);
    bool ListSinks(SoundOutputs &outputs);
    bool UnmuteSink(const std::string &sink);
    // Puts the stream (a sink input) at full volume and unmutes it where
    // the server has not: a server may restore what the user set for this
    // program before. False when it stays muted or quieter.
    bool MakeStreamFullVolume(std::uint32_t sinkInput);

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

    // Waits until the operation has run its callback; false when the
    // connection failed meanwhile.
    bool Complete(pa_operation *operation);

private:
    pa_threaded_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
};
