#pragma once

#include "upload/upload_image.h"

#include <cstddef>
#include <vector>

// What the device would make of a recording of the upload signal: the image
// and, unless every block arrived intact, which did not.
struct UploadDecodeResult {
    // Blocks that did not arrive are 0xFF here.
    UploadImage image {};
    // Blocks of which no frame was heard at all.
    std::vector<int> missingBlocks;
    // Blocks whose frames were heard, none of them intact.
    std::vector<int> damagedBlocks;
    // Another upload began before the one decoded, which is the last.
    bool earlierUpload = false;
    // How fast the recording runs against the signal sent, from the length
    // of its 1 bits: 1.03 is 3 % fast. 0 when no frame was heard.
    double speed = 0.0;

    bool Complete() const { return missingBlocks.empty() && damagedBlocks.empty(); }
};

// One channel of a recording, in -1..1, read in blocks; the decoder reads it
// twice.
class SampleSource
{
public:
    virtual ~SampleSource() = default;
    // Up to count samples; fewer only at the end.
    virtual std::size_t Read(float *samples, std::size_t count) = 0;
    // Starts again from the first sample.
    virtual void Rewind() = 0;
};

// Demodulates a recording of a whole transmission of the upload image:
// mono samples (any scale, any offset, either polarity) at the given rate,
// in memory that does not grow with the recording's length. A block counts
// only when its frame arrived with the right header, a known block number,
// all its bits and its whole trailer; block 0 counts only from the frame that
// follows the other blocks, since the first one is filler.
UploadDecodeResult DecodeUploadStream(SampleSource &source, double sampleRate);

// The same for samples in memory.
UploadDecodeResult DecodeUploadSignal(const float *samples, std::size_t count, double sampleRate);
