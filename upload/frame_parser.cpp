#include "upload/frame_parser.h"

#include "upload/fsk_signal.h"

#include <algorithm>

namespace
{

// Zeros in a row that count as a frame's lead-in; fewer than the 50 sent, so
// that a frame is found after a late start or a disturbed lead-in.
constexpr std::size_t MIN_LEAD_IN = 24;
constexpr std::size_t BYTE_BITS = 8;
// Symbols a frame may span from its start bit on, with the one after its
// trailer that ends it: a whole frame of the longest kind is more.
const std::size_t LOOKAHEAD = static_cast<std::size_t>(FrameBits(0)) + 1;

} // namespace

BlockCollector::BlockCollector()
{
    m_image.fill(0xFF);
}

int BlockCollector::PlaceOf(int block) const
{
    if (block > 0)
        return block;
    // A block 0 right after the real one is the filler of the next upload.
    return IsFiller(block) || m_lastPlace == UPLOAD_BLOCK_COUNT ? 0 : UPLOAD_BLOCK_COUNT;
}

void BlockCollector::BeginUpload(int place)
{
    m_state.fill(NOT_HEARD);
    m_image.fill(0xFF);
    m_fillerPassed = place > 0;
    m_earlierUpload = true;
    for (int block = 1; block < place && block < UPLOAD_BLOCK_COUNT; ++block)
        if (m_damagedSinceIntact & (1U << block))
            m_state[static_cast<std::size_t>(block)] = DAMAGED;
}

void BlockCollector::Intact(int block, const BlockData &data)
{
    const int place = PlaceOf(block);
    if (m_lastPlace >= 0 && place <= m_lastPlace)
        BeginUpload(place);
    m_lastPlace = place;
    m_damagedSinceIntact = 0;
    if (place == 0)
        return;
    m_fillerPassed = true;
    m_state[static_cast<std::size_t>(block)] = INTACT;
    std::copy(data.begin(), data.end(), m_image.begin() + block * UPLOAD_BLOCK_SIZE);
}

void BlockCollector::Damaged(int block)
{
    m_damagedSinceIntact |= 1U << block;
    if (IsFiller(block))
        return;
    m_fillerPassed = m_fillerPassed || block > 0;
    auto &state = m_state[static_cast<std::size_t>(block)];
    state = std::max(state, DAMAGED);
}

int BlockCollector::IntactCount() const
{
    return static_cast<int>(std::count(m_state.begin(), m_state.end(), INTACT));
}

int BlockCollector::DamagedCount() const
{
    return static_cast<int>(std::count(m_state.begin(), m_state.end(), DAMAGED));
}

UploadDecodeResult BlockCollector::Result() const
{
    UploadDecodeResult result;
    result.image = m_image;
    result.earlierUpload = m_earlierUpload;
    for (int b = 0; b < UPLOAD_BLOCK_COUNT; ++b) {
        if (m_state[static_cast<std::size_t>(b)] == NOT_HEARD)
            result.missingBlocks.push_back(b);
        else if (m_state[static_cast<std::size_t>(b)] == DAMAGED)
            result.damagedBlocks.push_back(b);
    }
    return result;
}

void FrameParser::Push(const std::uint8_t *symbols, std::size_t count)
{
    m_symbols.insert(m_symbols.end(), symbols, symbols + count);
    if (m_symbols.size() >= 2 * LOOKAHEAD)
        Parse(m_symbols.size() - LOOKAHEAD);
}

void FrameParser::Finish()
{
    Parse(m_symbols.size());
}

// Parses every frame that starts before limit; a frame starting there has
// all its symbols in hand. What lies behind is let go.
void FrameParser::Parse(std::size_t limit)
{
    while (m_next < limit) {
        const std::uint8_t symbol = m_symbols[m_next];
        if (symbol == SYMBOL_ONE && m_zeros >= MIN_LEAD_IN) {
            m_zeros = 0;
            m_next = ParseFrame(m_next + 1);
            continue;
        }
        m_zeros = symbol == SYMBOL_ZERO ? m_zeros + 1 : 0;
        ++m_next;
    }
    m_symbols.erase(m_symbols.begin(), m_symbols.begin() + static_cast<std::ptrdiff_t>(m_next));
    m_next = 0;
}

// Parses the frame whose header starts at `start`, just after the start
// bit. Returns where the search goes on: after the trailer of an intact
// frame, otherwise at start.
std::size_t FrameParser::ParseFrame(std::size_t start)
{
    std::uint8_t header = 0;
    std::uint8_t number = 0;
    if (!ReadByte(start, header) || header != UPLOAD_HEADER_BYTE || !ReadByte(start + BYTE_BITS, number))
        return start;
    const int block = BlockFromNumberByte(number);
    if (block < 0 || block >= UPLOAD_BLOCK_COUNT)
        return start;
    BlockData data;
    std::size_t at = start + 2 * BYTE_BITS;
    for (std::uint8_t &byte : data) {
        if (!ReadByte(at, byte)) {
            m_collector.Damaged(block);
            return start;
        }
        at += BYTE_BITS;
    }
    std::size_t end = at;
    if (!TrailerComplete(at, block, end)) {
        m_collector.Damaged(block);
        return start;
    }
    m_collector.Intact(block, data);
    return end;
}

bool FrameParser::ReadByte(std::size_t at, std::uint8_t &byte) const
{
    if (at + BYTE_BITS > m_symbols.size())
        return false;
    byte = 0;
    for (std::size_t i = 0; i < BYTE_BITS; ++i) {
        const std::uint8_t symbol = m_symbols[at + i];
        if (symbol == SYMBOL_BAD)
            return false;
        byte = static_cast<std::uint8_t>(byte | (symbol << i));
    }
    return true;
}

// The trailer must be exactly as long as sent, whether the next frame or
// the end of the recording follows: a 1 too many or too few means a bit of
// the frame slipped in or got lost.
bool FrameParser::TrailerComplete(std::size_t at, int block, std::size_t &end) const
{
    const std::size_t expected = static_cast<std::size_t>(TrailerBits(block));
    end = at;
    while (end < m_symbols.size() && m_symbols[end] == SYMBOL_ONE && end - at <= expected)
        ++end;
    return end - at == expected;
}
