#include "upload/fsk_signal.h"

#include <cstring>

namespace
{

constexpr ZeroBitWaveform ZERO_BIT = { 128, 139, 150, 160, 171, 181, 191, 200, 209, 217, 225, 232, 237, 243,
    247, 250, 253, 254, 255, 254, 253, 250, 247, 243, 237, 232, 225, 217, 209, 200, 191, 181, 171, 160, 150,
    139, 128, 116, 105, 95, 84, 74, 64, 55, 46, 38, 30, 23, 18, 12, 8, 5, 2, 1, 1, 1, 2, 5, 8, 12, 18, 23, 30,
    38, 46, 55, 64, 74, 84, 95, 105, 116 };

constexpr OneBitWaveform ONE_BIT = { 128, 150, 171, 191, 209, 225, 237, 247, 253, 255, 253, 247, 237, 225,
    209, 191, 171, 150, 128, 105, 84, 64, 46, 30, 18, 8, 2, 1, 2, 8, 18, 30, 46, 64, 84, 105 };

// The first frame of block 0 carries this in place of the data.
constexpr std::uint8_t FILLER_BYTE = 0xFF;
constexpr int SHORT_NUMBERED_BLOCKS = 2;
constexpr int BYTE_BITS = 8;
constexpr std::uint8_t SILENCE_SAMPLE = 128;

template <typename BitSink> void EmitRepeated(int bit, int count, BitSink &sink)
{
    for (int i = 0; i < count; ++i)
        sink(bit);
}

template <typename BitSink> void EmitByte(std::uint8_t byte, BitSink &sink)
{
    for (int i = 0; i < BYTE_BITS; ++i)
        sink((byte >> i) & 1);
}

template <typename BitSink> void EmitFrame(int block, const std::uint8_t *data, BitSink &sink)
{
    EmitRepeated(0, UPLOAD_LEAD_IN_BITS, sink);
    sink(1);
    EmitByte(UPLOAD_HEADER_BYTE, sink);
    EmitByte(BlockNumberByte(block), sink);
    for (int i = 0; i < UPLOAD_BLOCK_SIZE; ++i)
        EmitByte(data[i], sink);
    EmitRepeated(1, TrailerBits(block), sink);
}

template <typename BitSink> void EmitTransmission(BlockRun blocks, BitSink &sink)
{
    std::uint8_t filler[UPLOAD_BLOCK_SIZE];
    std::memset(filler, FILLER_BYTE, sizeof filler);
    EmitFrame(0, filler, sink);
    for (int b = 1; b < blocks.count; ++b)
        EmitFrame(b, blocks.data + b * UPLOAD_BLOCK_SIZE, sink);
    EmitFrame(0, blocks.data, sink);
}

} // namespace

const ZeroBitWaveform &ZeroBitSamples()
{
    return ZERO_BIT;
}

const OneBitWaveform &OneBitSamples()
{
    return ONE_BIT;
}

std::uint8_t BlockNumberByte(int block)
{
    return static_cast<std::uint8_t>(block < SHORT_NUMBERED_BLOCKS ? block : block + 2);
}

int BlockFromNumberByte(std::uint8_t number)
{
    if (number < SHORT_NUMBERED_BLOCKS)
        return number;
    return number < SHORT_NUMBERED_BLOCKS + 2 ? -1 : number - 2;
}

int TrailerBits(int block)
{
    return block < SHORT_NUMBERED_BLOCKS ? UPLOAD_LONG_TRAILER_BITS : UPLOAD_SHORT_TRAILER_BITS;
}

int FrameBits(int block)
{
    return UPLOAD_LEAD_IN_BITS + 1 + 2 * BYTE_BITS + UPLOAD_BLOCK_SIZE * BYTE_BITS + TrailerBits(block);
}

std::vector<std::uint8_t> UploadSignalBits(BlockRun blocks)
{
    std::vector<std::uint8_t> bits;
    auto append = [&bits](int bit) { bits.push_back(static_cast<std::uint8_t>(bit)); };
    EmitTransmission(blocks, append);
    return bits;
}

std::size_t UploadSignalLength(BlockRun blocks)
{
    std::size_t length = 0;
    auto count = [&length](int bit) { length += bit ? UPLOAD_ONE_BIT_SAMPLES : UPLOAD_ZERO_BIT_SAMPLES; };
    EmitTransmission(blocks, count);
    return length;
}

std::vector<std::uint8_t> RenderUploadSignal(BlockRun blocks)
{
    std::vector<std::uint8_t> samples(UploadSignalLength(blocks));
    std::uint8_t *out = samples.data();
    auto render = [&out](int bit) {
        if (bit) {
            std::memcpy(out, ONE_BIT.data(), ONE_BIT.size());
            out += ONE_BIT.size();
        } else {
            std::memcpy(out, ZERO_BIT.data(), ZERO_BIT.size());
            out += ZERO_BIT.size();
        }
    };
    EmitTransmission(blocks, render);
    return samples;
}

std::vector<std::uint8_t> PadUploadSignal(
    std::vector<std::uint8_t> signal, std::size_t before, std::size_t after)
{
    signal.insert(signal.begin(), before, SILENCE_SAMPLE);
    signal.insert(signal.end(), after, SILENCE_SAMPLE);
    return signal;
}

BlockRun ImageBlocks(const UploadImage &image)
{
    return { image.data(), static_cast<std::uint8_t>(UPLOAD_BLOCK_COUNT) };
}
