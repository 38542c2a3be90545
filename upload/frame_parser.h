#pragma once

#include "upload/fsk_decoder.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// The bits a recording was heard as, one per period; a period of no bit
// length is BAD, a bit that cannot be read.
enum Symbol : std::uint8_t { SYMBOL_ZERO = 0, SYMBOL_ONE = 1, SYMBOL_BAD = 2 };

using BlockData = std::array<std::uint8_t, UPLOAD_BLOCK_SIZE>;

// Keeps what the frames heard so far tell about each block of the last
// upload, as the device would: a later intact frame replaces an earlier one.
// An intact frame that comes no later in a transmission than the intact one
// before it begins another upload, and what was heard of the one before is
// dropped: its blocks never fill the gaps of a later upload.
class BlockCollector
{
public:
    BlockCollector();

    void Intact(int block, const BlockData &data);
    void Damaged(int block);

    int IntactCount() const;
    int DamagedCount() const;
    UploadDecodeResult Result() const;

private:
    enum State { NOT_HEARD, DAMAGED, INTACT };

    // The first frame of a transmission is block 0 with filler in place of
    // the data; the real block 0 follows the other blocks.
    bool IsFiller(int block) const { return block == 0 && !m_fillerPassed; }
    // Where a frame of the block comes in a transmission: the filler first,
    // the real block 0 last (UPLOAD_BLOCK_COUNT).
    int PlaceOf(int block) const;
    // Forgets the upload heard so far; damaged frames heard since the last
    // intact one that come before place belong to the new upload.
    void BeginUpload(int place);

    std::array<State, UPLOAD_BLOCK_COUNT> m_state {};
    UploadImage m_image;
    bool m_fillerPassed = false;
    // The place of the last intact frame; -1 before the first.
    int m_lastPlace = -1;
    // Bit b: a damaged frame of block b came since the last intact frame.
    std::uint32_t m_damagedSinceIntact = 0;
    bool m_earlierUpload = false;
};

// Finds the frames in a stream of symbols and hands their blocks to the
// collector. A frame counts only with its header, a known block number, all
// its bits and a trailer of exactly the length sent: with no checksum in
// the frame, its fixed lengths are what tells a bit slipped in or lost.
// Keeps no more symbols than the longest frame needs.
class FrameParser
{
public:
    explicit FrameParser(BlockCollector &collector)
        : m_collector(collector)
    {
    }

    void Push(const std::uint8_t *symbols, std::size_t count);
    // Parses what is left once the last symbol has come.
    void Finish();

private:
    void Parse(std::size_t limit);
    std::size_t ParseFrame(std::size_t start);
    bool ReadByte(std::size_t at, std::uint8_t &byte) const;
    bool TrailerComplete(std::size_t at, int block, std::size_t &end) const;

    BlockCollector &m_collector;
    std::vector<std::uint8_t> m_symbols;
    std::size_t m_next = 0;
    std::size_t m_zeros = 0;
};
