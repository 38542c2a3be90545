#include "upload/pulse_connection.h"

#include <pulse/introspect.h>
#include <pulse/proplist.h>
#include <pulse/volume.h>

namespace
{

constexpr char CLIENT_NAME[] = "Pemblo!";

struct StreamLevel {
    explicit StreamLevel(pa_threaded_mainloop *waiting)
        : loop(waiting)
    {
    }

    pa_threaded_mainloop *loop;
    bool known = false;
    bool muted = false;
    pa_cvolume volume {};
};

void OnSinkInput(pa_context *, const pa_sink_input_info *info, int eol, void *data)
{
    auto &level = *static_cast<StreamLevel *>(data);
    if (info) {
        level.known = true;
        level.muted = info->mute != 0;
        level.volume = info->volume;
    }
    if (eol)
        pa_threaded_mainloop_signal(level.loop, 0);
}

struct Query {
    explicit Query(pa_threaded_mainloop *waiting)
        : loop(waiting)
    {
    }

    pa_threaded_mainloop *loop;
    std::string text;
    SoundOutputs *outputs = nullptr;
    bool success = false;
};

std::string Property(const pa_proplist *properties, const char *key)
{
    const char *value = pa_proplist_gets(properties, key);
    return value ? value : "";
}

int VolumePercent(const pa_cvolume &volume)
{
    return static_cast<int>(
        (static_cast<std::uint64_t>(pa_cvolume_max(&volume)) * 100 + PA_VOLUME_NORM / 2) / PA_VOLUME_NORM);
}

void OnServerInfo(pa_context *, const pa_server_info *info, void *data)
{
    auto &query = *static_cast<Query *>(data);
    if (info && info->default_sink_name)
        query.text = info->default_sink_name;
    pa_threaded_mainloop_signal(query.loop, 0);
}

void OnMonitorOfSink(pa_context *, const pa_sink_info *info, int eol, void *data)
{
    auto &query = *static_cast<Query *>(data);
    if (info && info->monitor_source_name)
        query.text = info->monitor_source_name;
    if (eol)
        pa_threaded_mainloop_signal(query.loop, 0);
}

void OnSink(pa_context *, const pa_sink_info *info, int eol, void *data)
{
    auto &query = *static_cast<Query *>(data);
    if (info) {
        SoundOutput output;
        output.name = info->name;
        output.description = info->description ? info->description : info->name;
        output.muted = info->mute != 0;
        output.volumePercent = VolumePercent(info->volume);
        output.kind = ClassifySoundOutput(Property(info->proplist, "device.bus"),
            Property(info->proplist, "device.api"), Property(info->proplist, "device.form_factor"),
            info->active_port ? info->active_port->name : "");
        query.outputs->push_back(output);
    }
    query.success = eol > 0;
    if (eol)
        pa_threaded_mainloop_signal(query.loop, 0);
}

void OnSuccess(pa_context *, int success, void *data)
{
    auto &query = *static_cast<Query *>(data);
    query.success = success != 0;
    pa_threaded_mainloop_signal(query.loop, 0);
}

} // namespace

PulseConnection::~PulseConnection()
{
    if (!m_loop)
        return;
    {
        LoopLock lock(m_loop);
        if (m_context) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
        }
    }
    pa_threaded_mainloop_stop(m_loop);
    pa_threaded_mainloop_free(m_loop);
}

bool PulseConnection::Start()
{
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop)
        return false;
    if (pa_threaded_mainloop_start(m_loop) < 0) {
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
        return false;
    }
    return true;
}

bool PulseConnection::Connect()
{
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), CLIENT_NAME);
    if (!m_context)
        return false;
    pa_context_set_state_callback(m_context, WakeWaiter<pa_context>, m_loop);
    if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0)
        return false;
    return WaitFor([this] { return pa_context_get_state(m_context); }, PA_CONTEXT_READY, PA_CONTEXT_IS_GOOD);
}

bool PulseConnection::Complete(pa_operation *operation)
{
    if (!operation)
        return false;
    while (pa_operation_get_state(operation) == PA_OPERATION_RUNNING
        && PA_CONTEXT_IS_GOOD(pa_context_get_state(m_context)))
        pa_threaded_mainloop_wait(m_loop);
    const bool done = pa_operation_get_state(operation) == PA_OPERATION_DONE;
    pa_operation_unref(operation);
    return done;
}

std::string PulseConnection::DefaultSinkName()
{
    Query query(m_loop);
    Complete(pa_context_get_server_info(m_context, OnServerInfo, &query));
    return query.text;
}

std::string PulseConnection::MonitorOfSink(const std::string &sink)
{
    Query query(m_loop);
    Complete(pa_context_get_sink_info_by_name(m_context, sink.c_str(), OnMonitorOfSink, &query));
    return query.text;
}

bool PulseConnection::ListSinks(SoundOutputs &outputs)
{
    const std::string defaultSink = DefaultSinkName();
    Query query(m_loop);
    query.outputs = &outputs;
    if (!Complete(pa_context_get_sink_info_list(m_context, OnSink, &query)) || !query.success)
        return false;
    for (SoundOutput &output : outputs)
        output.isDefault = output.name == defaultSink;
    return true;
}

bool PulseConnection::UnmuteSink(const std::string &sink)
{
    Query query(m_loop);
    return Complete(pa_context_set_sink_mute_by_name(m_context, sink.c_str(), 0, OnSuccess, &query))
        && query.success;
}

bool PulseConnection::MakeStreamFullVolume(std::uint32_t sinkInput)
{
    StreamLevel level(m_loop);
    // A server that cannot tell keeps the level the stream asked for.
    if (!Complete(pa_context_get_sink_input_info(m_context, sinkInput, OnSinkInput, &level)) || !level.known)
        return true;
    if (level.muted) {
        Query query(m_loop);
        if (!Complete(pa_context_set_sink_input_mute(m_context, sinkInput, 0, OnSuccess, &query))
            || !query.success)
            return false;
    }
    if (pa_cvolume_max(&level.volume) == PA_VOLUME_NORM && pa_cvolume_min(&level.volume) == PA_VOLUME_NORM)
        return true;
    pa_cvolume full;
    pa_cvolume_set(&full, level.volume.channels, PA_VOLUME_NORM);
    Query query(m_loop);
    return Complete(pa_context_set_sink_input_volume(m_context, sinkInput, &full, OnSuccess, &query))
        && query.success;
}
