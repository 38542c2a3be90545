#pragma once

#include "upload/upload_image.h"

#include <cstddef>
#include <vector>

struct PcmAudio;

// What the device would make of a recording of the upload signal: the image
// and, unless every block arrived intact, which did not.
struct UploadDecodeResult {
    // Blocks that did not arrive are 0xFF here.
    UploadImage image {};
    // Blocks of which no frame was heard at all.
    std::vector<int> missingBlocks;
    // Blocks whose frames were heard, none of them intact.
    std::vector<int> damagedBlocks;

    bool Complete() const { return missingBlocks.empty() && damagedBlocks.empty(); }
};

// Demodulates a recording of a whole transmission of the upload image:
// mono samples (any scale, any offset, either polarity) at the given rate.
// A block counts only when its frame arrived with the right header, a known
// block number, all its bits and its whole trailer; block 0 counts only from
// the frame that follows the other blocks, since the first one is filler.
UploadDecodeResult DecodeUploadSignal(const float *samples, std::size_t count, double sampleRate);

// The same for a WAV recording, read from its strongest channel.
UploadDecodeResult DecodeUploadRecording(const PcmAudio &audio);
