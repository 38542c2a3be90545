#include "upload/fsk_decoder.h"

#include "upload/frame_parser.h"
#include "upload/wav_file.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

// The device's side of the line. Every bit is one sine period that starts on
// a rising zero crossing, so the bits are the intervals between rising
// crossings: about 0.75 ms for a 1, twice that for a 0. A slow DC blocker
// and a low-pass filter take off the offset and most of the noise while
// moving the crossings of both bit frequencies alike. Crossings count only
// after the signal has swung past a hysteresis that follows its envelope, so
// noise near the zero line makes no extra crossings at any level. An
// inverted recording starts its periods on falling crossings instead: both
// are read and the better reading wins. The recording is read twice: once to
// learn how long its 1 bits are, then to read the bits; both passes keep no
// more than a frame's worth of bits.

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

// The resolution of the measured 1-bit length.
constexpr double ONE_LENGTH_STEP = 1e-4;
constexpr std::size_t BLOCK_SAMPLES = 1 << 16;

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

// Finds the zero crossings of a recording, block by block, and hands each,
// with its time in samples and its direction, to a sink.
class CrossingFinder
{
public:
    explicit CrossingFinder(double rate)
        : m_filter(rate)
        , m_envelopeWeight(1.0 - std::exp(-1.0 / (ENVELOPE_SECONDS * rate)))
    {
    }

    template <typename Sink> void Process(const float *samples, std::size_t count, Sink &&sink)
    {
        for (std::size_t i = 0; i < count; ++i, ++m_index) {
            const double x = m_filter.Process(samples[i]);
            m_envelope += m_envelopeWeight * (std::fabs(x) - m_envelope);
            const double threshold = HYSTERESIS * m_envelope;
            m_risingArmed = m_risingArmed || x < -threshold;
            m_fallingArmed = m_fallingArmed || x > threshold;
            const double time = static_cast<double>(m_index) - 1.0 + m_previous / (m_previous - x);
            if (m_risingArmed && m_previous < 0.0 && x >= 0.0) {
                sink(time, true);
                m_risingArmed = false;
            }
            if (m_fallingArmed && m_previous > 0.0 && x <= 0.0) {
                sink(time, false);
                m_fallingArmed = false;
            }
            m_previous = x;
        }
    }

private:
    InputFilter m_filter;
    double m_envelopeWeight;
    double m_envelope = 0.0;
    double m_previous = 0.0;
    bool m_risingArmed = false;
    bool m_fallingArmed = false;
    std::size_t m_index = 0;
};

// One period of a reading, in 1-bit periods of the nominal speed: from one
// crossing of the reading's direction to the next, and to the first crossing
// of the other direction in between (negative when there is none). The last
// period of a recording has no end: its length is infinite.
struct Period {
    double length;
    double halfway;
};

// Cuts the crossings of one direction into periods.
class PeriodReader
{
public:
    PeriodReader(bool rising, double rate)
        : m_rising(rising)
        , m_oneBitSamples(UPLOAD_ONE_BIT_SAMPLES * rate / UPLOAD_SAMPLE_RATE)
    {
    }

    template <typename Sink> void Crossing(double time, bool rising, Sink &&sink)
    {
        if (rising != m_rising) {
            if (m_started && m_halfway < 0.0)
                m_halfway = (time - m_start) / m_oneBitSamples;
            return;
        }
        if (m_started)
            sink(Period { (time - m_start) / m_oneBitSamples, m_halfway });
        m_started = true;
        m_start = time;
        m_halfway = -1.0;
    }

    template <typename Sink> void Finish(Sink &&sink)
    {
        if (m_started)
            sink(Period { std::numeric_limits<double>::infinity(), m_halfway });
    }

private:
    bool m_rising;
    double m_oneBitSamples;
    bool m_started = false;
    double m_start = 0.0;
    double m_halfway = -1.0;
};

// The length of a 1 as recorded: the median of the periods in long runs
// that can all be 1s. The trailers make up most of them; noise before or
// after the signal rarely forms such runs.
class OneLengthEstimate
{
public:
    void Add(const Period &period)
    {
        if (!(period.length >= ONE_MIN && period.length <= ONE_MAX)) {
            m_run.clear();
            return;
        }
        if (m_run.size() < MIN_RUN_OF_ONES) {
            m_run.push_back(period.length);
            if (m_run.size() < MIN_RUN_OF_ONES)
                return;
            for (const double length : m_run)
                Count(length);
            return;
        }
        Count(period.length);
    }

    // 0 when no run was long enough.
    double Median() const
    {
        std::uint64_t below = 0;
        for (std::size_t bin = 0; bin < BINS; ++bin) {
            below += m_histogram[bin];
            if (below > m_total / 2)
                return Length(bin);
        }
        return 0.0;
    }

    // The mean of the lengths that count as a 1 at the median: how fast the
    // recording runs, to a finer step than the median tells. 0 as above.
    double Mean() const
    {
        const double median = Median();
        double sum = 0.0;
        std::uint64_t count = 0;
        for (std::size_t bin = 0; bin < BINS; ++bin)
            if (std::fabs(Length(bin) - median) <= PERIOD_TOLERANCE * median) {
                sum += Length(bin) * static_cast<double>(m_histogram[bin]);
                count += m_histogram[bin];
            }
        return count ? sum / static_cast<double>(count) : 0.0;
    }

private:
    static constexpr std::size_t BINS = static_cast<std::size_t>((ONE_MAX - ONE_MIN) / ONE_LENGTH_STEP) + 1;

    static double Length(std::size_t bin)
    {
        return ONE_MIN + (static_cast<double>(bin) + 0.5) * ONE_LENGTH_STEP;
    }

    void Count(double length)
    {
        ++m_histogram[std::min(BINS - 1, static_cast<std::size_t>((length - ONE_MIN) / ONE_LENGTH_STEP))];
        ++m_total;
    }

    std::vector<double> m_run;
    std::vector<std::uint64_t> m_histogram = std::vector<std::uint64_t>(BINS);
    std::uint64_t m_total = 0;
};

// Tells the bit of each period by its length against the measured 1.
class PeriodClassifier
{
public:
    explicit PeriodClassifier(double one)
        : m_one(one)
        , m_zero(one * UPLOAD_ZERO_BIT_SAMPLES / UPLOAD_ONE_BIT_SAMPLES)
    {
    }

    std::uint8_t Classify(const Period &period) const
    {
        if (Near(period.length, m_one))
            return SYMBOL_ONE;
        if (Near(period.length, m_zero))
            return SYMBOL_ZERO;
        // A period that runs into silence, as the last one of a recording
        // does, has no closing crossing; its crossing halfway shows whether
        // it was a 1.
        if (period.length > m_zero && Near(period.halfway, m_one / 2))
            return SYMBOL_ONE;
        return SYMBOL_BAD;
    }

private:
    static bool Near(double length, double nominal)
    {
        return std::fabs(length - nominal) <= PERIOD_TOLERANCE * nominal;
    }

    double m_one;
    double m_zero;
};

// Feeds the recording's crossings to a reading of each direction, index 0
// for the periods that start on rising crossings: sink(index, period) for
// each period, then done() after each block of samples and at the end.
template <typename Sink, typename Done>
void ReadPeriods(SampleSource &source, double rate, Sink &&sink, Done &&done)
{
    CrossingFinder finder(rate);
    std::array<PeriodReader, 2> readers { PeriodReader(true, rate), PeriodReader(false, rate) };
    std::vector<float> block(BLOCK_SAMPLES);
    source.Rewind();
    while (const std::size_t count = source.Read(block.data(), block.size())) {
        finder.Process(block.data(), count, [&](double time, bool rising) {
            for (std::size_t r = 0; r < readers.size(); ++r)
                readers[r].Crossing(time, rising, [&](const Period &period) { sink(r, period); });
        });
        done();
    }
    for (std::size_t r = 0; r < readers.size(); ++r)
        readers[r].Finish([&](const Period &period) { sink(r, period); });
    done();
}

// More intact blocks win; between equals, the reading that heard more frames
// at all tells the user more about what went wrong.
bool Better(const BlockCollector &a, const BlockCollector &b)
{
    if (a.IntactCount() != b.IntactCount())
        return a.IntactCount() > b.IntactCount();
    return a.DamagedCount() > b.DamagedCount();
}

class MemorySource : public SampleSource
{
public:
    MemorySource(const float *samples, std::size_t count)
        : m_samples(samples)
        , m_count(count)
    {
    }

    std::size_t Read(float *samples, std::size_t count) override
    {
        const std::size_t taken = std::min(count, m_count - m_position);
        std::copy(m_samples + m_position, m_samples + m_position + taken, samples);
        m_position += taken;
        return taken;
    }

    void Rewind() override { m_position = 0; }

private:
    const float *m_samples;
    std::size_t m_count;
    std::size_t m_position = 0;
};

} // namespace

UploadDecodeResult DecodeUploadStream(SampleSource &source, double sampleRate)
{
    if (!(sampleRate >= MIN_WAV_SAMPLE_RATE && sampleRate <= MAX_WAV_SAMPLE_RATE))
        return BlockCollector().Result();
    std::array<OneLengthEstimate, 2> estimates;
    ReadPeriods(
        source, sampleRate, [&](std::size_t r, const Period &period) { estimates[r].Add(period); }, [] {});

    std::array<PeriodClassifier, 2> classifiers { PeriodClassifier(1.0), PeriodClassifier(1.0) };
    for (std::size_t r = 0; r < classifiers.size(); ++r)
        if (const double one = estimates[r].Median())
            classifiers[r] = PeriodClassifier(one);
    std::array<BlockCollector, 2> collectors;
    std::array<FrameParser, 2> parsers { FrameParser(collectors[0]), FrameParser(collectors[1]) };
    std::array<std::vector<std::uint8_t>, 2> symbols;
    ReadPeriods(
        source, sampleRate,
        [&](std::size_t r, const Period &period) { symbols[r].push_back(classifiers[r].Classify(period)); },
        [&] {
            for (std::size_t r = 0; r < parsers.size(); ++r) {
                parsers[r].Push(symbols[r].data(), symbols[r].size());
                symbols[r].clear();
            }
        });
    for (FrameParser &parser : parsers)
        parser.Finish();

    const std::size_t best = Better(collectors[1], collectors[0]) ? 1 : 0;
    UploadDecodeResult result = collectors[best].Result();
    // Noise alone makes runs of 1-like periods too: a speed is told only
    // when a frame was heard.
    const double one = estimates[best].Mean();
    if (one > 0.0 && result.missingBlocks.size() < static_cast<std::size_t>(UPLOAD_BLOCK_COUNT))
        result.speed = 1.0 / one;
    return result;
}

UploadDecodeResult DecodeUploadSignal(const float *samples, std::size_t count, double sampleRate)
{
    MemorySource source(samples, count);
    return DecodeUploadStream(source, sampleRate);
}
