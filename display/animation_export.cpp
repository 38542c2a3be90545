#include "display/animation_export.h"

#include "display/device_bitmaps.h"
#include "display/led_tables.h"

AnimationExport::AnimationExport(const RowTable &rows, const DeviceBitmaps &bitmaps, Settings settings)
    : m_rows(rows)
    , m_bitmaps(bitmaps)
    , m_settings(std::move(settings))
    , m_scaler(DEVICE_PICTURE_SIZE, m_settings.size)
    , m_device(m_scaler)
{
}

AnimationExport::~AnimationExport() = default;

bool AnimationExport::Begin(std::unique_ptr<AnimationEncoder> encoder, const std::string &path)
{
    TakeStepPictures(m_device, m_bitmaps);
    m_shownSteps.fill(0);
    m_interpreter.Reset();

    // Every LED at every step holds all the colours the device shows.
    std::vector<AnimationPicture> colourSamples;
    for (int step = 0; m_settings.format == AnimationFormat::Gif && step < BRIGHTNESS_STEPS; ++step)
        colourSamples.push_back({ m_device.StepPicture(step).data(), m_settings.size });
    if (!encoder->Begin(path, m_settings.size, colourSamples)) {
        m_error = encoder->Error();
        return false;
    }
    m_encoder = std::move(encoder);
    return true;
}

bool AnimationExport::Advance(std::uint64_t ticks)
{
    for (std::uint64_t n = 0; n < ticks && !m_stopped && m_slot < m_settings.ticks && m_error.empty(); ++n) {
        const std::uint64_t tick = m_slot + 1;
        if (!m_interpreter.Step(m_settings.inputOn && m_settings.inputOn(tick) ? 1 : 0)) {
            m_stopped = true;
            break;
        }
        const std::vector<PixelRun> &changed = ShowLevels();
        // The first picture goes to the encoder in any case.
        if ((!changed.empty() || m_slot == 0) && !m_encoder->Show(m_slot, Picture(), changed))
            m_error = m_encoder->Error();
        ++m_slot;
    }
    return !m_stopped && m_slot < m_settings.ticks && m_error.empty();
}

const std::vector<PixelRun> &AnimationExport::ShowLevels()
{
    m_changedRuns.clear();
    const SequenceInterpreter::Outputs &outputs = m_interpreter.GetOutputs();
    for (int led = 0; led < LED_COUNT; ++led) {
        const int step = BrightnessStep(outputs[static_cast<std::size_t>(led)]);
        int &shown = m_shownSteps[static_cast<std::size_t>(led)];
        if (step != shown) {
            shown = step;
            m_device.SetStep(led, step, m_changedRuns);
        }
    }
    return m_changedRuns;
}

bool AnimationExport::Finish()
{
    if (!m_error.empty())
        return false;
    if (m_slot == 0) {
        m_error = "the sequence stops before its first tick";
        return false;
    }
    if (!m_encoder->Finish(m_slot)) {
        m_error = m_encoder->Error();
        return false;
    }
    return true;
}
