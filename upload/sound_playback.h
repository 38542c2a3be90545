#pragma once

#include "upload/sound_output.h"

#include <cstdint>
#include <string>
#include <vector>

// The sound output as the sound module provides it. The module is loaded at
// the first upload (platform/module_loader.h), so that only a program that
// plays maps the sound library.

// One playback of the upload signal. Each playback connects to the sound
// server anew, so it uses whatever outputs exist when it starts. Not for use
// from more than one thread at a time.
class SoundPlayback
{
public:
    enum class State {
        Playing,
        Played, // the server has played the last sample
        Failed, // the server or the output went away
    };

    // Silences the output at once and lets go of the server.
    virtual ~SoundPlayback() = default;

    // How much of the samples has left the output so far.
    virtual std::int64_t PlayedUs() = 0;
    virtual State GetState() = 0;
    // The output the server put the stream on.
    virtual std::string OutputName() = 0;
    // What the output's monitor recorded from just before the first sample
    // until the last one had played, mono float at UPLOAD_SAMPLE_RATE; empty
    // when nothing could be recorded. Complete once the state is Played.
    virtual std::vector<float> TakeMonitorRecording() = 0;
};

enum class SoundOutputError {
    None,
    NoOutput, // no sound server answers
    CannotOpen, // the server refuses the stream
    OutputGone, // the output asked for does not exist
};

struct SoundPlaybackRequest {
    // 8-bit unsigned mono at UPLOAD_SAMPLE_RATE.
    std::vector<std::uint8_t> samples;
    // A sink's name; empty for the server's default output.
    std::string output;
    bool recordMonitor = false;
};

// The module's entry points. OpenSoundPlayback starts playing; null, with
// the reason in error, when nothing plays. ListSoundOutputs fills outputs;
// false when no server answers. UnmuteSoundOutput unmutes the sink named;
// false when it cannot.
using OpenSoundPlaybackFunction = SoundPlayback *(SoundPlaybackRequest request, SoundOutputError *error);
using ListSoundOutputsFunction = bool(std::vector<SoundOutput> *outputs);
using UnmuteSoundOutputFunction = bool(const std::string &name);

inline constexpr char SOUND_MODULE[] = "pemblo_sound";
inline constexpr char OPEN_SOUND_PLAYBACK[] = "OpenSoundPlayback";
inline constexpr char LIST_SOUND_OUTPUTS[] = "ListSoundOutputs";
inline constexpr char UNMUTE_SOUND_OUTPUT[] = "UnmuteSoundOutput";
