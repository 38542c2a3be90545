#include "upload/upload_verification.h"

#include "upload/fsk_decoder.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace
{

// A recording whose loudest sample stays below this heard nothing.
constexpr double SILENCE = 1e-4;
// Samples this close to full scale were cut off.
constexpr float CLIP_LEVEL = 0.999f;
// The loudest sample of the signal sent, 255 or 1 around 128.
constexpr double SENT_PEAK = 127.0 / 128.0;
// Below -40 dBFS the signal drowns in any noise an output adds.
constexpr double TOO_QUIET_PEAK = 0.01;
// Residual energy against the signal's in a frame: above it something else
// was heard; the signal's own energy below its share: a gap.
constexpr double FOREIGN_ENERGY_SHARE = 0.05;
// The signal never stays near its zero line for longer than a few samples;
// a run of quiet this long, at a tenth of its level, is a gap.
constexpr std::size_t GAP_SAMPLES = 4 * UPLOAD_ZERO_BIT_SAMPLES;
constexpr double GAP_LEVEL = 0.1;
// The signal's onset is found where the recording first passes this share of
// its peak, then refined by correlation over this many samples either side.
constexpr double ONSET_SHARE = 0.25;
constexpr std::ptrdiff_t ALIGN_SEARCH = 256;
constexpr std::size_t ALIGN_WINDOW = 4096;

struct Span {
    std::size_t first = 0;
    std::size_t last = 0;
};

// The sample range of each block's frame in the signal: block 0's is its
// last frame, which carries its data.
std::vector<Span> FrameSpans(BlockRun sent)
{
    const std::vector<std::uint8_t> bits = UploadSignalBits(sent);
    std::vector<int> order { 0 };
    for (int b = 1; b < sent.count; ++b)
        order.push_back(b);
    order.push_back(0);
    std::vector<Span> spans(std::max<std::size_t>(sent.count, 1));
    std::size_t bit = 0;
    std::size_t sample = 0;
    for (const int block : order) {
        Span span { sample, sample };
        for (int i = 0; i < FrameBits(block); ++i)
            sample += bits[bit++] ? UPLOAD_ONE_BIT_SAMPLES : UPLOAD_ZERO_BIT_SAMPLES;
        span.last = sample;
        spans[static_cast<std::size_t>(block)] = span;
    }
    return spans;
}

std::vector<float> SentSamples(BlockRun sent)
{
    const std::vector<std::uint8_t> signal = RenderUploadSignal(sent);
    std::vector<float> samples(signal.size());
    for (std::size_t i = 0; i < signal.size(); ++i)
        samples[i] = (static_cast<float>(signal[i]) - 128.0f) / 128.0f;
    return samples;
}

std::size_t FirstAbove(const std::vector<float> &samples, double level)
{
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (std::fabs(samples[i]) > level)
            return i;
    return samples.size();
}

// Where the signal's first sample lies in the recording (may be negative for
// a recording that missed its start).
std::ptrdiff_t Align(const std::vector<float> &sent, const std::vector<float> &heard, double peak)
{
    const auto guess = static_cast<std::ptrdiff_t>(FirstAbove(heard, ONSET_SHARE * peak))
        - static_cast<std::ptrdiff_t>(FirstAbove(sent, ONSET_SHARE));
    std::ptrdiff_t best = guess;
    double bestScore = -std::numeric_limits<double>::infinity();
    const std::size_t window = std::min(ALIGN_WINDOW, sent.size());
    for (std::ptrdiff_t offset = guess - ALIGN_SEARCH; offset <= guess + ALIGN_SEARCH; ++offset) {
        double score = 0.0;
        for (std::size_t i = 0; i < window; ++i) {
            const std::ptrdiff_t at = offset + static_cast<std::ptrdiff_t>(i);
            if (at >= 0 && at < static_cast<std::ptrdiff_t>(heard.size()))
                score += sent[i] * heard[static_cast<std::size_t>(at)];
        }
        if (score > bestScore) {
            bestScore = score;
            best = offset;
        }
    }
    return best;
}

struct FrameEnergies {
    double signal = 0.0; // of the sent samples, scaled by the gain
    double residual = 0.0;
    std::size_t clipped = 0;
    std::size_t longestQuiet = 0;
};

FrameEnergies MeasureFrame(const std::vector<float> &sent, const std::vector<float> &heard,
    std::ptrdiff_t offset, double gain, Span span)
{
    FrameEnergies energies;
    std::size_t quiet = 0;
    for (std::size_t i = span.first; i < span.last; ++i) {
        const std::ptrdiff_t at = offset + static_cast<std::ptrdiff_t>(i);
        const double x = at >= 0 && at < static_cast<std::ptrdiff_t>(heard.size())
            ? heard[static_cast<std::size_t>(at)]
            : 0.0;
        const double expected = gain * sent[i];
        energies.signal += expected * expected;
        quiet = std::fabs(x) < GAP_LEVEL * std::fabs(gain) ? quiet + 1 : 0;
        energies.longestQuiet = std::max(energies.longestQuiet, quiet);
        // A cut-off wave differs from the one sent where it was cut; only
        // the rest tells of another sound.
        if (std::fabs(x) >= CLIP_LEVEL)
            ++energies.clipped;
        else
            energies.residual += (x - expected) * (x - expected);
    }
    return energies;
}

// The gain that best maps the sent samples onto the heard ones, over the
// first frame.
double Gain(const std::vector<float> &sent, const std::vector<float> &heard, std::ptrdiff_t offset, Span span)
{
    double cross = 0.0;
    double power = 0.0;
    for (std::size_t i = span.first; i < span.last; ++i) {
        const std::ptrdiff_t at = offset + static_cast<std::ptrdiff_t>(i);
        if (at < 0 || at >= static_cast<std::ptrdiff_t>(heard.size()))
            continue;
        cross += sent[i] * heard[static_cast<std::size_t>(at)];
        power += sent[i] * sent[i];
    }
    return power > 0.0 ? cross / power : 0.0;
}

// An output louder than full scale clips the signal itself; clipping that
// another sound causes is that sound's doing.
DisturbanceCause CauseOf(const FrameEnergies &frame, double gain)
{
    if (std::fabs(gain) < TOO_QUIET_PEAK)
        return DisturbanceCause::TooQuiet;
    if (frame.longestQuiet >= GAP_SAMPLES)
        return DisturbanceCause::Gap;
    if (frame.clipped > 0 && std::fabs(gain) * SENT_PEAK >= CLIP_LEVEL)
        return DisturbanceCause::Clipped;
    if (frame.residual > FOREIGN_ENERGY_SHARE * frame.signal)
        return DisturbanceCause::AnotherSound;
    return DisturbanceCause::Unknown;
}

std::vector<int> DisturbedBlocks(const UploadDecodeResult &decoded, BlockRun sent)
{
    std::vector<int> blocks;
    for (int b = 0; b < std::max<int>(sent.count, 1); ++b) {
        const auto at = static_cast<std::size_t>(b * UPLOAD_BLOCK_SIZE);
        if (std::memcmp(&decoded.image[at], sent.data + at, UPLOAD_BLOCK_SIZE) != 0)
            blocks.push_back(b);
    }
    return blocks;
}

} // namespace

UploadVerification VerifyUpload(BlockRun sent, const std::vector<float> &recording)
{
    UploadVerification result;
    std::size_t clipped = 0;
    for (const float x : recording) {
        result.peak = std::max(result.peak, static_cast<double>(std::fabs(x)));
        clipped += std::fabs(x) >= CLIP_LEVEL;
    }
    result.recorded = result.peak > SILENCE;
    if (!result.recorded)
        return result;
    result.clippedShare = static_cast<double>(clipped) / static_cast<double>(recording.size());
    const UploadDecodeResult decoded
        = DecodeUploadSignal(recording.data(), recording.size(), UPLOAD_SAMPLE_RATE);
    result.speed = decoded.speed;
    const std::vector<int> blocks = DisturbedBlocks(decoded, sent);
    if (blocks.empty())
        return result;
    const std::vector<float> signal = SentSamples(sent);
    const std::vector<Span> spans = FrameSpans(sent);
    const std::ptrdiff_t offset = Align(signal, recording, result.peak);
    const double gain
        = Gain(signal, recording, offset, { 0, spans.size() > 1 ? spans[1].first : signal.size() });
    for (const int block : blocks) {
        const Span span = spans[static_cast<std::size_t>(block)];
        result.disturbed.push_back(
            { block, CauseOf(MeasureFrame(signal, recording, offset, gain, span), gain) });
    }
    return result;
}

double PeakDbfs(double peak)
{
    return peak > 0.0 ? 20.0 * std::log10(peak) : -std::numeric_limits<double>::infinity();
}
