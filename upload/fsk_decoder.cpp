#include "upload/fsk_decoder.h"

#include "upload/fsk_signal.h"
#include "upload/wav_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iterator>

// The device's side of the line. Every bit is one sine period that starts on
// a rising zero crossing, so the bits are the intervals between rising
// crossings: about 0.75 ms for a 1, twice that for a 0. A slow DC blocker
// and a low-pass filter take off the offset and most of the noise while
// moving the crossings of both bit frequencies alike. Crossings count only
// after the signal has swung past a hysteresis that follows its envelope, so
// noise near the zero line makes no extra crossings at any level. An
// inverted recording starts its periods on falling crossings instead: both
// are read and the better reading wins.

namespace
{

constexpr double PI = 3.14159265358979323846;
// Far below the bit frequencies, so that it shifts their crossings by no
// more than a few microseconds.
constexpr double DC_BLOCKER_HZ = 30.0;
// A fourth-order Butterworth low-pass, as two sections.
constexpr double LOW_PASS_HZ = 2000.0;
constexpr double LOW_PASS_Q[] = { 0.54119610014619698, 1.3065629648763766 };
constexpr double MAX_LOW_PASS_FRACTION = 0.35;
constexpr double ENVELOPE_SECONDS = 0.005;
// Fraction of the mean rectified level (about 0.64 of the peak for a sine)
// the signal must pass on the far side before the next crossing counts.
constexpr double HYSTERESIS = 0.6;

// Period lengths, in 1-bit periods, that may be a 1 at all; long runs of
// them tell how fast the recording runs.
constexpr double ONE_MIN = 0.6;
constexpr double ONE_MAX = 1.4;
constexpr std::size_t MIN_RUN_OF_ONES = 16;
// How far a period may stray from its nominal length, at the measured speed,
// to still count as a bit. Anything else is no bit at all rather than a
// guess, so that noise shows up as damage instead of wrong data.
constexpr double PERIOD_TOLERANCE = 0.22;

// Zeros in a row that count as a frame's lead-in; fewer than the 50 sent, so
// that a frame is found after a late start or a disturbed lead-in.
constexpr std::size_t MIN_LEAD_IN = 24;
constexpr std::size_t BYTE_BITS = 8;

enum Symbol : std::uint8_t { SYMBOL_ZERO = 0, SYMBOL_ONE = 1, SYMBOL_BAD = 2 };

// A second-order low-pass section (transposed direct form II), after the
// well-known audio cookbook formulas.
class LowPassSection
{
public:
    LowPassSection(double rate, double hz, double q)
    {
        const double w = 2.0 * PI * hz / rate;
        const double alpha = std::sin(w) / (2.0 * q);
        const double c = std::cos(w);
        const double a0 = 1.0 + alpha;
        m_b0 = (1.0 - c) / 2.0 / a0;
        m_b1 = (1.0 - c) / a0;
        m_a1 = -2.0 * c / a0;
        m_a2 = (1.0 - alpha) / a0;
    }

    double Process(double x)
    {
        const double y = m_b0 * x + m_z1;
        m_z1 = m_b1 * x - m_a1 * y + m_z2;
        m_z2 = m_b0 * x - m_a2 * y;
        return y;
    }

private:
    double m_b0, m_b1, m_a1, m_a2;
    double m_z1 = 0.0;
    double m_z2 = 0.0;
};

// Takes off the offset and the slowest drift: the input less its running
// mean.
class DcBlocker
{
public:
    DcBlocker(double rate, double hz)
        : m_weight(1.0 - std::exp(-2.0 * PI * hz / rate))
    {
    }

    double Process(double x)
    {
        m_mean += m_weight * (x - m_mean);
        return x - m_mean;
    }

private:
    double m_weight;
    double m_mean = 0.0;
};

// The filters a recording goes through before its crossings are timed.
class InputFilter
{
public:
    explicit InputFilter(double rate)
        : m_dcBlocker(rate, DC_BLOCKER_HZ)
        , m_low { LowPassSection(rate, LowPassHz(rate), LOW_PASS_Q[0]),
            LowPassSection(rate, LowPassHz(rate), LOW_PASS_Q[1]) }
    {
    }

    double Process(double x) { return m_low[1].Process(m_low[0].Process(m_dcBlocker.Process(x))); }

private:
    static double LowPassHz(double rate) { return std::min(LOW_PASS_HZ, MAX_LOW_PASS_FRACTION * rate); }

    DcBlocker m_dcBlocker;
    LowPassSection m_low[2];
};

// Times, in samples, of the rising and of the falling zero crossings.
struct Crossings {
    std::vector<double> rising;
    std::vector<double> falling;
};

Crossings FindCrossings(const float *samples, std::size_t count, double rate)
{
    InputFilter filter(rate);
    const double envelopeWeight = 1.0 - std::exp(-1.0 / (ENVELOPE_SECONDS * rate));
    Crossings crossings;
    const std::size_t expected = static_cast<std::size_t>(count * UPLOAD_SAMPLE_RATE / rate) / 40;
    crossings.rising.reserve(expected);
    crossings.falling.reserve(expected);

    double envelope = 0.0;
    double previous = 0.0;
    bool risingArmed = false;
    bool fallingArmed = false;
    for (std::size_t i = 0; i < count; ++i) {
        const double x = filter.Process(samples[i]);
        envelope += envelopeWeight * (std::fabs(x) - envelope);
        const double threshold = HYSTERESIS * envelope;
        risingArmed = risingArmed || x < -threshold;
        fallingArmed = fallingArmed || x > threshold;
        if (risingArmed && previous < 0.0 && x >= 0.0) {
            crossings.rising.push_back(static_cast<double>(i) - 1.0 + previous / (previous - x));
            risingArmed = false;
        }
        if (fallingArmed && previous > 0.0 && x <= 0.0) {
            crossings.falling.push_back(static_cast<double>(i) - 1.0 + previous / (previous - x));
            fallingArmed = false;
        }
        previous = x;
    }
    return crossings;
}

// Period lengths in 1-bit periods of the nominal speed.
std::vector<double> PeriodLengths(const std::vector<double> &crossings, double rate)
{
    const double oneBitSamples = UPLOAD_ONE_BIT_SAMPLES * rate / UPLOAD_SAMPLE_RATE;
    std::vector<double> lengths;
    lengths.reserve(crossings.size());
    for (std::size_t k = 1; k < crossings.size(); ++k)
        lengths.push_back((crossings[k] - crossings[k - 1]) / oneBitSamples);
    return lengths;
}

// The length of a 1 as recorded: the median of the periods in long runs
// that can all be 1s. The trailers make up most of them; noise before or
// after the signal rarely forms such runs.
double MeasuredOneLength(const std::vector<double> &lengths)
{
    std::vector<double> ones;
    std::size_t runStart = 0;
    for (std::size_t k = 0; k <= lengths.size(); ++k) {
        if (k < lengths.size() && lengths[k] >= ONE_MIN && lengths[k] <= ONE_MAX)
            continue;
        if (k - runStart >= MIN_RUN_OF_ONES)
            ones.insert(ones.end(), lengths.begin() + static_cast<std::ptrdiff_t>(runStart),
                lengths.begin() + static_cast<std::ptrdiff_t>(k));
        runStart = k + 1;
    }
    if (ones.empty())
        return 1.0;
    const auto middle = ones.begin() + static_cast<std::ptrdiff_t>(ones.size() / 2);
    std::nth_element(ones.begin(), middle, ones.end());
    return *middle;
}

std::vector<std::uint8_t> ClassifyPeriods(const std::vector<double> &crossings, double rate)
{
    const std::vector<double> lengths = PeriodLengths(crossings, rate);
    const double one = MeasuredOneLength(lengths);
    const double zero = one * UPLOAD_ZERO_BIT_SAMPLES / UPLOAD_ONE_BIT_SAMPLES;
    std::vector<std::uint8_t> symbols;
    symbols.reserve(lengths.size());
    for (const double length : lengths) {
        if (std::fabs(length - one) <= PERIOD_TOLERANCE * one)
            symbols.push_back(SYMBOL_ONE);
        else if (std::fabs(length - zero) <= PERIOD_TOLERANCE * zero)
            symbols.push_back(SYMBOL_ZERO);
        else
            symbols.push_back(SYMBOL_BAD);
    }
    return symbols;
}

using BlockData = std::array<std::uint8_t, UPLOAD_BLOCK_SIZE>;

// Keeps what the frames heard so far tell about each block, as the device
// would: a later intact frame replaces an earlier one.
class BlockCollector
{
public:
    BlockCollector() { m_image.fill(0xFF); }

    void Intact(int block, const BlockData &data)
    {
        if (IsFiller(block))
            return;
        m_fillerPassed = m_fillerPassed || block > 0;
        m_state[static_cast<std::size_t>(block)] = INTACT;
        std::copy(data.begin(), data.end(), m_image.begin() + block * UPLOAD_BLOCK_SIZE);
    }

    void Damaged(int block)
    {
        if (IsFiller(block))
            return;
        m_fillerPassed = m_fillerPassed || block > 0;
        auto &state = m_state[static_cast<std::size_t>(block)];
        state = std::max(state, DAMAGED);
    }

    int IntactCount() const { return static_cast<int>(std::count(m_state.begin(), m_state.end(), INTACT)); }
    int DamagedCount() const { return static_cast<int>(std::count(m_state.begin(), m_state.end(), DAMAGED)); }

    UploadDecodeResult Result() const
    {
        UploadDecodeResult result;
        result.image = m_image;
        for (int b = 0; b < UPLOAD_BLOCK_COUNT; ++b) {
            if (m_state[static_cast<std::size_t>(b)] == NOT_HEARD)
                result.missingBlocks.push_back(b);
            else if (m_state[static_cast<std::size_t>(b)] == DAMAGED)
                result.damagedBlocks.push_back(b);
        }
        return result;
    }

private:
    enum State { NOT_HEARD, DAMAGED, INTACT };

    // The first frame of a transmission is block 0 with filler in place of
    // the data; the real block 0 follows the other blocks.
    bool IsFiller(int block) const { return block == 0 && !m_fillerPassed; }

    std::array<State, UPLOAD_BLOCK_COUNT> m_state {};
    UploadImage m_image;
    bool m_fillerPassed = false;
};

// Finds the frames in a run of bit symbols and hands their blocks to the
// collector.
class FrameParser
{
public:
    FrameParser(const std::vector<std::uint8_t> &symbols, BlockCollector &collector)
        : m_symbols(symbols)
        , m_collector(collector)
    {
    }

    void Run()
    {
        std::size_t zeros = 0;
        std::size_t i = 0;
        while (i < m_symbols.size()) {
            const std::uint8_t symbol = m_symbols[i];
            if (symbol == SYMBOL_ONE && zeros >= MIN_LEAD_IN) {
                zeros = 0;
                i = ParseFrame(i + 1);
                continue;
            }
            zeros = symbol == SYMBOL_ZERO ? zeros + 1 : 0;
            ++i;
        }
    }

private:
    // Parses the frame whose header starts at `start`, just after the start
    // bit. Returns where the search goes on: after the trailer of an intact
    // frame, otherwise at start.
    std::size_t ParseFrame(std::size_t start)
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

    bool ReadByte(std::size_t at, std::uint8_t &byte) const
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

    // The trailer must be exactly as long as sent when the next frame
    // follows: a bit too many or too few there means the frame slipped. At
    // the end of the transmission the last period has no closing crossing
    // and whatever follows may read as more ones.
    bool TrailerComplete(std::size_t at, int block, std::size_t &end) const
    {
        const std::size_t expected = static_cast<std::size_t>(TrailerBits(block));
        end = at;
        while (end < m_symbols.size() && m_symbols[end] == SYMBOL_ONE)
            ++end;
        const std::size_t ones = end - at;
        if (ones == expected)
            return true;
        return ones + 1 >= expected && !LeadInAt(end);
    }

    bool LeadInAt(std::size_t at) const
    {
        std::size_t zeros = 0;
        while (at + zeros < m_symbols.size() && m_symbols[at + zeros] == SYMBOL_ZERO && zeros < MIN_LEAD_IN)
            ++zeros;
        return zeros >= MIN_LEAD_IN;
    }

    const std::vector<std::uint8_t> &m_symbols;
    BlockCollector &m_collector;
};

BlockCollector ReadBlocks(const std::vector<double> &crossings, double rate)
{
    BlockCollector collector;
    const std::vector<std::uint8_t> symbols = ClassifyPeriods(crossings, rate);
    FrameParser(symbols, collector).Run();
    return collector;
}

// More intact blocks win; between equals, the reading that heard more frames
// at all tells the user more about what went wrong.
bool Better(const BlockCollector &a, const BlockCollector &b)
{
    if (a.IntactCount() != b.IntactCount())
        return a.IntactCount() > b.IntactCount();
    return a.DamagedCount() > b.DamagedCount();
}

} // namespace

UploadDecodeResult DecodeUploadSignal(const float *samples, std::size_t count, double sampleRate)
{
    if (!(sampleRate >= MIN_WAV_SAMPLE_RATE && sampleRate <= MAX_WAV_SAMPLE_RATE))
        return BlockCollector().Result();
    const Crossings crossings = FindCrossings(samples, count, sampleRate);
    const BlockCollector upright = ReadBlocks(crossings.rising, sampleRate);
    const BlockCollector inverted = ReadBlocks(crossings.falling, sampleRate);
    return (Better(inverted, upright) ? inverted : upright).Result();
}

UploadDecodeResult DecodeUploadRecording(const PcmAudio &audio)
{
    const std::vector<float> samples = ChannelSamples(audio, StrongestChannel(audio));
    return DecodeUploadSignal(samples.data(), samples.size(), audio.sampleRate);
}
