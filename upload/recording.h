#pragma once

#include "upload/fsk_decoder.h"
#include "upload/wav_file.h"

// How loud a recording is, which tells why one may fail to decode.
struct RecordingLevels {
    // The largest sample magnitude; 1 is full scale.
    double peak = 0.0;
    // The share of samples that stay at the smallest or the largest value the
    // format has, two or more in a row: where the sound was too loud for the
    // recording.
    double clippedShare = 0.0;
};

struct DecodedRecording {
    UploadDecodeResult upload;
    // Those of the channel the upload was read from.
    RecordingLevels levels;
};

// Decodes a WAV recording from the channel that carries the most signal (the
// largest variance), so that a recording with one silent or noisy channel
// is read from the good one. Reads the stream three times, a block at a
// time. Throws WavError when it cannot read it again.
DecodedRecording DecodeRecording(WavStream &wav);

// The same for a recording in memory.
UploadDecodeResult DecodeUploadRecording(const PcmAudio &audio);
