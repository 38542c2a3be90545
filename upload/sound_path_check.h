#pragma once

#include "upload/sound_output.h"

#include <string>
#include <vector>

// The check of the sound path before an upload, from the list of outputs
// the sound server gave and the output the user chose.

// The volumes the upload plays well at: a quieter output may drown in noise
// on the way to the device, a louder one clips.
inline constexpr int MIN_UPLOAD_VOLUME_PERCENT = 50;
inline constexpr int MAX_UPLOAD_VOLUME_PERCENT = 100;

enum class SoundPathFinding {
    NoOutput,
    ChosenOutputGone, // the default output plays instead
    Muted,
    VolumeLow,
    VolumeHigh,
    Bluetooth, // delay and lossy compression
    HdmiOrDisplayPort, // usually a screen's speakers
};

struct SoundPath {
    // Index into the outputs of the one the upload plays on; -1 for none.
    int output = -1;
    std::vector<SoundPathFinding> findings;
    // The user should see the Upload window first: there is something to
    // say, or several outputs and none chosen yet.
    bool askFirst = false;
};

// The output the upload plays on: the chosen one (by sink name), or the
// default one where none is chosen or the chosen one has gone.
SoundPath CheckSoundPath(const SoundOutputs &outputs, const std::string &chosen);
