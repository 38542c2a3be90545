#include "display/picture_scaler.h"

#include <algorithm>

PictureScaler::PictureScaler(int sourceSize, int targetSize)
    : m_sourceSize(sourceSize)
    , m_targetSize(targetSize)
{
    // Measured in 1/targetSize of a source pixel, target pixel t covers
    // [t * sourceSize, (t + 1) * sourceSize) and source pixel s covers
    // [s * targetSize, (s + 1) * targetSize); the overlap is the share.
    for (int t = 0; t < targetSize; ++t) {
        const int begin = t * sourceSize;
        const int end = begin + sourceSize;
        const Span span { m_taps.size(), 0 };
        m_spans.push_back(span);
        for (int s = begin / targetSize; s * targetSize < end; ++s) {
            const int overlap = std::min(end, (s + 1) * targetSize) - std::max(begin, s * targetSize);
            m_taps.push_back({ s, static_cast<std::uint32_t>(overlap) });
        }
        m_spans.back().tapCount = m_taps.size() - span.firstTap;
    }
}

std::pair<const PictureScaler::Tap *, const PictureScaler::Tap *> PictureScaler::Taps(int t) const
{
    const Span &span = m_spans[static_cast<std::size_t>(t)];
    return { &m_taps[span.firstTap], &m_taps[span.firstTap] + span.tapCount };
}

void PictureScaler::AddWeighted(Sums &sums, std::uint32_t pixel, std::uint32_t weight)
{
    for (std::size_t channel = 0; channel < sums.size(); ++channel)
        sums[channel] += weight * ((pixel >> (8 * channel)) & 0xFF);
}

std::uint32_t PictureScaler::PixelFromSums(const Sums &sums) const
{
    // Weights add up to sourceSize squared (640,000 for the device picture),
    // so a channel's sum stays inside 32 bits for sources up to 4,096 pixels.
    const auto total = static_cast<std::uint32_t>(m_sourceSize * m_sourceSize);
    std::uint32_t pixel = 0;
    for (std::size_t channel = 0; channel < sums.size(); ++channel)
        pixel |= ((sums[channel] + total / 2) / total) << (8 * channel);
    return pixel;
}

PictureRect PictureScaler::TargetOf(const PictureRect &source) const
{
    const auto down = [this](int x) { return std::clamp(x * m_targetSize / m_sourceSize, 0, m_targetSize); };
    const auto up = [this](int x) {
        return std::clamp((x * m_targetSize + m_sourceSize - 1) / m_sourceSize, 0, m_targetSize);
    };
    return { down(source.left), down(source.top), up(source.right), up(source.bottom) };
}

std::uint32_t PictureScaler::ScalePixel(
    const std::uint32_t *source, const Span &row, const Span &column) const
{
    Sums sums {};
    for (std::size_t r = row.firstTap; r < row.firstTap + row.tapCount; ++r) {
        const std::uint32_t *line = source + static_cast<std::size_t>(m_taps[r].source) * m_sourceSize;
        for (std::size_t c = column.firstTap; c < column.firstTap + column.tapCount; ++c)
            AddWeighted(sums, line[m_taps[c].source], m_taps[r].weight * m_taps[c].weight);
    }
    return PixelFromSums(sums);
}

void PictureScaler::Scale(const std::uint32_t *source, std::uint32_t *target, const PictureRect &area) const
{
    for (int y = area.top; y < area.bottom; ++y)
        Scale(source, target, PixelRun { y, area.left, area.right });
}

void PictureScaler::Scale(const std::uint32_t *source, std::uint32_t *target, const PixelRun &run) const
{
    const Span &row = m_spans[static_cast<std::size_t>(run.y)];
    std::uint32_t *line = target + static_cast<std::size_t>(run.y) * m_targetSize;
    for (int x = run.left; x < run.right; ++x)
        line[x] = ScalePixel(source, row, m_spans[static_cast<std::size_t>(x)]);
}
