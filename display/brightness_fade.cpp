#include "display/brightness_fade.h"

#include "core/constants.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace
{

constexpr std::size_t PIXEL_BYTES = 4;
constexpr std::size_t FOURTH_BYTE = 3;

// Step s blends by 1 / (16 - s).
constexpr int Divisor(int step)
{
    return BRIGHTNESS_STEPS - step;
}

// The double blend of step s rounds below a whole number for some byte
// pairs and then truncates to one less than the integer blend
// (b x (n - 1) + o) / n. For every pair of an off byte and a lit byte this
// gives the step at which that happens on the way from the off to the lit
// byte, or 0; along any such way it happens at most once. Worked out when
// the program is built (tools/fade_corrections.cpp); the tests run every
// pair through every step against the double blend.
struct Corrections {
    std::array<std::uint8_t, 256 * 256> stepOf;
    // The steps that correct any pair at all.
    std::array<bool, BRIGHTNESS_STEPS> anyAt {};
};

const Corrections &CorrectionSteps()
{
    static const Corrections corrections = [] {
        Corrections all { {
#include "display/fade_corrections.inc"
        } };
        for (const std::uint8_t step : all.stepOf)
            all.anyAt[step] = step != 0;
        return all;
    }();
    return corrections;
}

// One step over packed bytes: the integer blend, with the corrections of
// the step where it has any. True when a byte changed.
template <int N, bool CORRECTED>
bool BlendStep(std::uint8_t *__restrict out, const std::uint8_t *__restrict from,
    const std::uint8_t *__restrict toward, const std::uint8_t *__restrict corrections, std::uint8_t step,
    std::size_t count)
{
    std::uint8_t changed = 0;
    for (std::size_t i = 0; i < count; ++i) {
        auto blended
            = static_cast<std::uint8_t>(static_cast<std::uint16_t>(from[i] * (N - 1) + toward[i]) / N);
        if constexpr (CORRECTED)
            blended = static_cast<std::uint8_t>(blended - (corrections[i] == step));
        out[i] = blended;
        changed |= out[i] ^ from[i];
    }
    return changed != 0;
}

void LookUpCorrections(const std::uint8_t *__restrict off, const std::uint8_t *__restrict lit,
    std::uint8_t *__restrict corrections, std::size_t count)
{
    const std::uint8_t *stepOf = CorrectionSteps().stepOf.data();
    for (std::size_t i = 0; i < count; i += PIXEL_BYTES) {
        for (std::size_t colour = i; colour < i + FOURTH_BYTE; ++colour)
            corrections[colour] = stepOf[static_cast<std::size_t>(off[colour] << 8 | lit[colour])];
        // Two fourth bytes of 0xFF are never corrected.
        corrections[i + FOURTH_BYTE] = 0;
    }
}

using BlendFunction = bool (*)(std::uint8_t *, const std::uint8_t *, const std::uint8_t *,
    const std::uint8_t *, std::uint8_t, std::size_t);

template <bool CORRECTED, int... STEP>
constexpr std::array<BlendFunction, BRIGHTNESS_STEPS> BlendSteps(std::integer_sequence<int, STEP...>)
{
    return { BlendStep<Divisor(STEP), CORRECTED>... };
}

// The blend of each step 0..15 (0 is never used), without and with
// corrections; a constant divisor lets the compiler turn the division into
// a multiplication.
constexpr std::array<BlendFunction, BRIGHTNESS_STEPS> BLEND_STEPS[2] = {
    BlendSteps<false>(std::make_integer_sequence<int, BRIGHTNESS_STEPS>()),
    BlendSteps<true>(std::make_integer_sequence<int, BRIGHTNESS_STEPS>()),
};

} // namespace

AreaFader::AreaFader(const std::uint8_t *off, const std::uint8_t *lit, std::size_t stride, int bandRows)
    : m_off(off)
    , m_lit(lit)
    , m_stride(stride)
    , m_bandRows(bandRows)
{
}

void AreaFader::Pack(const PictureRect &area)
{
    const std::size_t rowBytes = PIXEL_BYTES * static_cast<std::size_t>(area.Width());
    const std::size_t count = rowBytes * static_cast<std::size_t>(area.Height());
    const std::size_t first
        = m_stride * static_cast<std::size_t>(area.top) + PIXEL_BYTES * static_cast<std::size_t>(area.left);
    for (auto [image, packed] : { std::pair { m_off, &m_areaOff }, { m_lit, &m_areaLit } }) {
        packed->resize(count);
        std::uint8_t *bytes = packed->data();
        for (std::size_t y = 0; y < static_cast<std::size_t>(area.Height()); ++y)
            std::memcpy(bytes + rowBytes * y, image + first + m_stride * y, rowBytes);
        // A fourth byte of 0xFF in both images stays 0xFF at every step.
        for (std::size_t i = 0; i < count; i += PIXEL_BYTES) {
            std::uint32_t pixel;
            std::memcpy(&pixel, bytes + i, PIXEL_BYTES);
            pixel |= 0xFF000000u;
            std::memcpy(bytes + i, &pixel, PIXEL_BYTES);
        }
    }
    m_corrections.resize(count);
    LookUpCorrections(m_areaOff.data(), m_areaLit.data(), m_corrections.data(), count);
}

void AreaFader::Fade(const PictureRect &area, int lastStep, FadeSteps &steps)
{
    Pack(area);
    const std::size_t count = m_areaOff.size();
    const std::size_t bandBytes
        = PIXEL_BYTES * static_cast<std::size_t>(area.Width()) * static_cast<std::size_t>(m_bandRows);
    m_changed.assign((count + bandBytes - 1) / bandBytes, false);
    const std::uint8_t *from = m_areaOff.data();
    for (int step = 1; step <= lastStep; ++step) {
        std::uint8_t *out = steps.StepPixels(step);
        const BlendFunction blend = BLEND_STEPS[CorrectionSteps().anyAt[static_cast<std::size_t>(step)]]
                                               [static_cast<std::size_t>(step)];
        for (std::size_t band = 0; band < m_changed.size(); ++band) {
            const std::size_t at = band * bandBytes;
            m_changed[band] = blend(out + at, from + at, m_areaLit.data() + at, m_corrections.data() + at,
                static_cast<std::uint8_t>(step), std::min(bandBytes, count - at));
        }
        steps.StepDone(step, out, m_changed);
        from = out;
    }
}
