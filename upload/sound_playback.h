#pragma once

#include <cstdint>
#include <vector>

// The sound output as the sound module provides it. The module is loaded at
// the first upload (platform/module_loader.h), so that only a program that
// plays maps the sound library.

// One playback of the upload signal on the default sound output. Each
// playback connects to the sound server anew, so it uses whatever output
// exists when it starts. Not for use from more than one thread at a time.
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

    // How much of the signal has left the output so far.
    virtual std::int64_t PlayedUs() = 0;
    virtual State GetState() = 0;
};

enum class SoundOutputError {
    None,
    NoOutput, // no sound server answers
    CannotOpen, // the server refuses the stream
};

// The module's entry point: starts playing samples, 8-bit unsigned mono at
// UPLOAD_SAMPLE_RATE. Null, with the reason in error, when nothing plays.
using OpenSoundPlaybackFunction = SoundPlayback *(std::vector<std::uint8_t> samples, SoundOutputError *error);

inline constexpr char SOUND_MODULE[] = "pemblo_sound";
inline constexpr char OPEN_SOUND_PLAYBACK[] = "OpenSoundPlayback";
