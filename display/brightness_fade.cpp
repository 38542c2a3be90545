#include "display/brightness_fade.h"

#include "core/constants.h"

#include <array>
#include <cstring>

namespace
{

constexpr std::size_t PIXEL_BYTES = 4;
constexpr std::size_t FOURTH_BYTE = 3;
constexpr int LAST_STEP = BRIGHTNESS_STEPS - 1;

// In the corrections of a fourth byte: the byte is set to 0xFF, not faded.
constexpr std::uint8_t OPAQUE = 0x80;

// Step s blends by 1 / (16 - s).
constexpr int Divisor(int step)
{
    return BRIGHTNESS_STEPS - step;
}

// The double blend of step s rounds below a whole number for some byte
// pairs and then truncates to one less than the integer blend
// (b x (n - 1) + o) / n. For every pair of an off byte and a lit byte this
// gives the step at which that happens on the way from the off to the lit
// byte, or 0. The tests run every pair through every step; along any such
// way it happens at most once.
const std::array<std::uint8_t, 256 * 256> &CorrectionSteps()
{
    static const std::array<std::uint8_t, 256 * 256> table = [] {
        std::array<std::uint8_t, 256 * 256> steps {};
        for (int off = 0; off < 256; ++off) {
            // All lit bytes side by side, so that the loops vectorise.
            std::array<int, 256> value;
            value.fill(off);
            std::uint8_t *row = steps.data() + 256 * off;
            for (int step = 1; step <= LAST_STEP; ++step) {
                const int n = Divisor(step);
                const double factor = 1.0 / n;
                const double keep = 1.0 - factor;
                for (int lit = 0; lit < 256; ++lit) {
                    const int exact = static_cast<int>(value[lit] * keep + lit * factor);
                    if (exact != (value[lit] * (n - 1) + lit) / n)
                        row[lit] = static_cast<std::uint8_t>(step);
                    value[lit] = exact;
                }
            }
        }
        return steps;
    }();
    return table;
}

// One step over packed bytes: the integer blend with the correction of the
// step, and 0xFF in every fourth byte.
template <int N>
void BlendStep(std::uint8_t *__restrict out, const std::uint8_t *__restrict from,
    const std::uint8_t *__restrict toward, const std::uint8_t *__restrict corrections, std::uint8_t step,
    std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const auto blended
            = static_cast<std::uint8_t>(static_cast<std::uint16_t>(from[i] * (N - 1) + toward[i]) / N);
        const auto corrected = static_cast<std::uint8_t>(blended - (corrections[i] == step));
        out[i] = static_cast<std::uint8_t>(corrected | static_cast<std::uint8_t>(-(corrections[i] >> 7)));
    }
}

using BlendFunction = void (*)(std::uint8_t *, const std::uint8_t *, const std::uint8_t *,
    const std::uint8_t *, std::uint8_t, std::size_t);

// The blend of each step, by step; a constant divisor lets the compiler
// turn the division into a multiplication.
constexpr BlendFunction BLEND_STEPS[BRIGHTNESS_STEPS]
    = { nullptr, BlendStep<Divisor(1)>, BlendStep<Divisor(2)>, BlendStep<Divisor(3)>, BlendStep<Divisor(4)>,
          BlendStep<Divisor(5)>, BlendStep<Divisor(6)>, BlendStep<Divisor(7)>, BlendStep<Divisor(8)>,
          BlendStep<Divisor(9)>, BlendStep<Divisor(10)>, BlendStep<Divisor(11)>, BlendStep<Divisor(12)>,
          BlendStep<Divisor(13)>, BlendStep<Divisor(14)>, BlendStep<Divisor(15)> };

} // namespace

AreaFader::AreaFader(const std::uint8_t *off, const std::uint8_t *lit, std::size_t stride)
    : m_off(off)
    , m_lit(lit)
    , m_stride(stride)
{
}

void AreaFader::Pack(
    const std::uint8_t *image, const PictureRect &area, std::vector<std::uint8_t> &packed) const
{
    const std::size_t rowBytes = PIXEL_BYTES * static_cast<std::size_t>(area.Width());
    packed.resize(rowBytes * static_cast<std::size_t>(area.Height()));
    const std::uint8_t *row = image + m_stride * static_cast<std::size_t>(area.top)
        + PIXEL_BYTES * static_cast<std::size_t>(area.left);
    for (std::size_t y = 0; y < static_cast<std::size_t>(area.Height()); ++y)
        std::memcpy(packed.data() + rowBytes * y, row + m_stride * y, rowBytes);
}

void AreaFader::Fade(const PictureRect &area, int lastStep, FadeSteps &steps)
{
    Pack(m_off, area, m_areaOff);
    Pack(m_lit, area, m_areaLit);
    const std::size_t count = m_areaOff.size();
    m_corrections.resize(count);
    const std::array<std::uint8_t, 256 * 256> &correctionSteps = CorrectionSteps();
    for (std::size_t i = 0; i < count; ++i)
        m_corrections[i] = i % PIXEL_BYTES == FOURTH_BYTE
            ? OPAQUE
            : correctionSteps[static_cast<std::size_t>(m_areaOff[i] << 8 | m_areaLit[i])];

    const std::uint8_t *from = m_areaOff.data();
    for (int step = 1; step <= lastStep; ++step) {
        std::uint8_t *out = steps.StepPixels(step);
        BLEND_STEPS[step](
            out, from, m_areaLit.data(), m_corrections.data(), static_cast<std::uint8_t>(step), count);
        steps.StepDone(step, out);
        from = out;
    }
}
