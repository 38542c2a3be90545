#include "display/scaled_device.h"

#include "display/led_tables.h"

#include <algorithm>

namespace
{

constexpr std::uint8_t BACKGROUND = LED_COUNT;

// For each pixel of the device picture, the LED it shows, or BACKGROUND:
// the LEDs' areas painted in order, as the device is painted.
std::vector<std::uint8_t> Owners(int size)
{
    std::vector<std::uint8_t> owners(
        static_cast<std::size_t>(size) * static_cast<std::size_t>(size), BACKGROUND);
    for (int led = 0; led < LED_COUNT; ++led) {
        const int position = LED_ORDER[static_cast<std::size_t>(led)];
        for (int i = 0; i < ShapeCount(position); ++i) {
            const PictureRect rect = LED_SHAPES[position][i].Normalised().Intersected(LED_BOUNDS[position]);
            for (int y = rect.top; y < rect.bottom; ++y)
                std::fill_n(owners.begin() + static_cast<std::ptrdiff_t>(y) * size + rect.left,
                    std::max(0, rect.Width()), static_cast<std::uint8_t>(led));
        }
    }
    return owners;
}

void AddToRuns(std::vector<PixelRun> &runs, int x, int y)
{
    if (!runs.empty() && runs.back().y == y && runs.back().right == x)
        ++runs.back().right;
    else
        runs.push_back({ y, x, x + 1 });
}

} // namespace

ScaledDevice::ScaledDevice(const PictureScaler &scaler)
    : m_scaler(scaler)
    , m_size(scaler.TargetSize())
    , m_owners(Owners(scaler.SourceSize()))
{
    FindFootprints();
}

void ScaledDevice::FindFootprints()
{
    const int source = m_scaler.SourceSize();
    for (int y = 0; y < m_size; ++y) {
        const auto [rowsBegin, rowsEnd] = m_scaler.Taps(y);
        for (int x = 0; x < m_size; ++x) {
            const auto [columnsBegin, columnsEnd] = m_scaler.Taps(x);
            std::uint16_t owners = 0;
            for (auto row = rowsBegin; row != rowsEnd; ++row)
                for (auto column = columnsBegin; column != columnsEnd; ++column)
                    owners |= std::uint16_t(
                        1U << m_owners[static_cast<std::size_t>(row->source) * source + column->source]);
            const bool oneLed = (owners & (owners - 1)) == 0 && owners != (1U << BACKGROUND);
            if (oneLed)
                for (int led = 0; led < LED_COUNT; ++led)
                    if (owners == (1U << led))
                        AddToRuns(m_alone[static_cast<std::size_t>(led)], x, y);
            if (!oneLed && owners != (1U << BACKGROUND))
                AddShared(x, y, owners);
        }
    }
}

void ScaledDevice::AddShared(int x, int y, std::uint16_t owners)
{
    const std::size_t id = m_sharedPixels.size();
    SharedPixel pixel { static_cast<std::size_t>(y) * static_cast<std::size_t>(m_size) + x, {},
        m_parts.size(), 0 };
    for (int led = 0; led < LED_COUNT; ++led) {
        if (!(owners & (1U << led)))
            continue;
        m_parts.push_back({ led, {} });
        ++pixel.partCount;
        m_shared[static_cast<std::size_t>(led)].push_back(id);
    }
    m_sharedPixels.push_back(pixel);
}

void ScaledDevice::TakeStepPicture(int step, const std::uint32_t *source)
{
    std::vector<std::uint32_t> &scaled = m_stepPictures[static_cast<std::size_t>(step)];
    scaled.resize(static_cast<std::size_t>(m_size) * static_cast<std::size_t>(m_size));
    m_scaler.Scale(source, scaled.data(), PictureRect { 0, 0, m_size, m_size });
    AddSums(step, source);
    if (step == 0) {
        m_picture = scaled;
        m_steps.fill(0);
    }
}

const std::vector<std::uint32_t> &ScaledDevice::StepPicture(int step) const
{
    return m_stepPictures[static_cast<std::size_t>(step)];
}

void ScaledDevice::AddSums(int step, const std::uint32_t *source)
{
    const int sourceSize = m_scaler.SourceSize();
    for (SharedPixel &pixel : m_sharedPixels) {
        const auto [rowsBegin, rowsEnd] = m_scaler.Taps(static_cast<int>(pixel.index / m_size));
        const auto [columnsBegin, columnsEnd] = m_scaler.Taps(static_cast<int>(pixel.index % m_size));
        for (auto row = rowsBegin; row != rowsEnd; ++row) {
            for (auto column = columnsBegin; column != columnsEnd; ++column) {
                const std::size_t at = static_cast<std::size_t>(row->source) * sourceSize + column->source;
                const std::uint32_t weight = row->weight * column->weight;
                const std::uint8_t owner = m_owners[at];
                // The background is the same at every step.
                if (owner == BACKGROUND && step == 0)
                    PictureScaler::AddWeighted(pixel.background, source[at], weight);
                for (std::size_t part = pixel.firstPart;
                     owner != BACKGROUND && part < pixel.firstPart + pixel.partCount; ++part)
                    if (m_parts[part].led == owner)
                        PictureScaler::AddWeighted(
                            m_parts[part].sums[static_cast<std::size_t>(step)], source[at], weight);
            }
        }
    }
}

void ScaledDevice::SetStep(int led, int step, std::vector<PixelRun> &changed)
{
    const auto index = static_cast<std::size_t>(led);
    m_steps[index] = step;
    // Only what changes is told: at the edges of an LED's area, where it
    // hardly glows, neighbouring steps often look the same.
    const std::vector<std::uint32_t> &scaled = m_stepPictures[static_cast<std::size_t>(step)];
    for (const PixelRun &run : m_alone[index]) {
        const std::size_t row = static_cast<std::size_t>(run.y) * static_cast<std::size_t>(m_size);
        for (int x = run.left; x < run.right; ++x)
            SetPixel(row + x, scaled[row + x], changed);
    }
    for (const std::size_t id : m_shared[index])
        SetPixel(m_sharedPixels[id].index, Resum(m_sharedPixels[id]), changed);
}

void ScaledDevice::SetPixel(std::size_t index, std::uint32_t pixel, std::vector<PixelRun> &changed)
{
    if (m_picture[index] == pixel)
        return;
    m_picture[index] = pixel;
    AddToRuns(changed, static_cast<int>(index % m_size), static_cast<int>(index / m_size));
}

std::uint32_t ScaledDevice::Resum(const SharedPixel &pixel) const
{
    Sums sums = pixel.background;
    for (std::size_t part = pixel.firstPart; part < pixel.firstPart + pixel.partCount; ++part) {
        const Sums &added
            = m_parts[part]
                  .sums[static_cast<std::size_t>(m_steps[static_cast<std::size_t>(m_parts[part].led)])];
        for (std::size_t channel = 0; channel < sums.size(); ++channel)
            sums[channel] += added[channel];
    }
    return m_scaler.PixelFromSums(sums);
}
