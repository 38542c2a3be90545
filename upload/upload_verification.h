#pragma once

#include "upload/fsk_signal.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// What can be told of why a block did not leave the output intact.
enum class DisturbanceCause {
    Unknown,
    AnotherSound, // something else was mixed into the signal
    Gap, // the signal stopped or fell silent for a while
    Clipped, // the output was too loud and cut the waves off
    TooQuiet, // hardly anything of the signal was heard
};

struct DisturbedBlock {
    int block = 0;
    DisturbanceCause cause = DisturbanceCause::Unknown;
};

// A playback of the upload checked against what its output's monitor heard:
// what left the computer, not what the device received.
struct UploadVerification {
    // False when the monitor gave no sound at all; nothing else then holds.
    bool recorded = false;
    // Largest sample magnitude of the recording, 1 for full scale.
    double peak = 0.0;
    double clippedShare = 0.0;
    // As UploadDecodeResult::speed.
    double speed = 0.0;
    // In block order: blocks that did not arrive or whose bytes differ from
    // those sent.
    std::vector<DisturbedBlock> disturbed;

    bool Intact() const { return recorded && disturbed.empty(); }
};

// Decodes recording (mono, -1..1, at UPLOAD_SAMPLE_RATE, with the signal
// somewhere in it) and compares it block by block with the blocks sent. For a
// disturbed block, lines the recording up with the signal sent and looks at
// that block's frame to tell the cause.
UploadVerification VerifyUpload(BlockRun sent, const std::vector<float> &recording);

// The peak in dBFS (20 log10); -inf for silence.
double PeakDbfs(double peak);
