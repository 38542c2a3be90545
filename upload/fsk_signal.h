#pragma once

#include "upload/upload_image.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The upload signal: blocks of UPLOAD_BLOCK_SIZE bytes as frequency-shift
// keyed audio, one sine period per bit. A transmission sends block 0 filled
// with 0xFF, then blocks 1 .. count - 1, then block 0 with its data.

using ZeroBitWaveform = std::array<std::uint8_t, UPLOAD_ZERO_BIT_SAMPLES>;
using OneBitWaveform = std::array<std::uint8_t, UPLOAD_ONE_BIT_SAMPLES>;

// floor(128 + 127 sin(2 pi k / N)): each period starts on the zero line
// (128) and rises first.
const ZeroBitWaveform &ZeroBitSamples();
const OneBitWaveform &OneBitSamples();

// The block number byte of block n's frame: n for blocks 0 and 1, n + 2 from
// block 2 on (low eight bits).
std::uint8_t BlockNumberByte(int block);
// The block a number byte names, or -1 for the values 2 and 3, which no
// frame carries.
int BlockFromNumberByte(std::uint8_t number);
int TrailerBits(int block);
int FrameBits(int block);

// A run of blocks: count blocks of UPLOAD_BLOCK_SIZE bytes at data. Block 0
// is always sent, so data holds at least one block even for a count of 0.
struct BlockRun {
    const std::uint8_t *data;
    std::uint8_t count;
};

// Every bit of the transmission, in line order, 0 or 1.
std::vector<std::uint8_t> UploadSignalBits(BlockRun blocks);
// Samples the transmission renders to.
std::size_t UploadSignalLength(BlockRun blocks);
// The 8-bit unsigned samples at UPLOAD_SAMPLE_RATE.
std::vector<std::uint8_t> RenderUploadSignal(BlockRun blocks);

// The signal with before and after samples of silence (the zero line, 128)
// around it.
std::vector<std::uint8_t> PadUploadSignal(
    std::vector<std::uint8_t> signal, std::size_t before, std::size_t after);

// The upload image as its UPLOAD_BLOCK_COUNT blocks.
BlockRun ImageBlocks(const UploadImage &image);
