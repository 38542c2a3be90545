#include "upload/fsk_transmitter.h"

#include "platform/module_loader.h"
#include "upload/fsk_signal.h"
#include "upload/sound_playback.h"

#include <QCoreApplication>

#include <algorithm>
#include <new>

namespace
{

constexpr int POLL_MS = 20;
// An output that stops counting (a sink that drops the stream, a server
// that hangs) still finishes: playback is over once this much more than the
// signal's length has passed.
constexpr qint64 STALLED_OUTPUT_GRACE_US = 3'000'000;

} // namespace

TransmitDoneEvent::TransmitDoneEvent()
    : QEvent(EventType())
{
}

QEvent::Type TransmitDoneEvent::EventType()
{
    static const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

FskTransmitter::FskTransmitter(QObject *parent)
    : QObject(parent)
{
    m_poll.setInterval(POLL_MS);
    connect(&m_poll, &QTimer::timeout, this, &FskTransmitter::CheckPlayed);
}

FskTransmitter::~FskTransmitter()
{
    Release();
}

bool FskTransmitter::Transmit(QObject *receiver, std::uint8_t blockCount, const std::uint8_t *data)
{
    if (IsTransmitting()) {
        m_error = tr("An upload is being sent already.");
        return false;
    }
    m_error.clear();
    std::vector<std::uint8_t> samples;
    const std::size_t padding = static_cast<std::size_t>(PADDING_MS * UPLOAD_SAMPLE_RATE / 1000);
    std::size_t signalLength = 0;
    try {
        const BlockRun blocks { data, blockCount };
        signalLength = UploadSignalLength(blocks);
        samples = PadUploadSignal(RenderUploadSignal(blocks), padding, padding);
        m_sentBlocks.assign(data, data + std::max<int>(blockCount, 1) * UPLOAD_BLOCK_SIZE);
    } catch (const std::bad_alloc &) {
        return Fail(tr("There is not enough memory for the upload signal."));
    }
    m_sentCount = blockCount;
    m_hasVerification = false;
    m_verification = {};
    m_outputName.clear();
    m_durationUs = static_cast<qint64>(signalLength) * 1'000'000 / UPLOAD_SAMPLE_RATE;
    m_playedUs = 0;
    m_receiver = receiver;
    m_reported = false;
    return StartPlayback(std::move(samples));
}

bool FskTransmitter::StartPlayback(std::vector<std::uint8_t> samples)
{
    std::string moduleError;
    const auto open
        = ResolveModuleFunction<OpenSoundPlaybackFunction>(SOUND_MODULE, OPEN_SOUND_PLAYBACK, moduleError);
    if (!open)
        return Fail(tr("The sound module cannot be loaded: %1.").arg(QString::fromStdString(moduleError)));
    SoundOutputError error = SoundOutputError::None;
    m_playback.reset(open({ std::move(samples), m_output, m_verify }, &error));
    if (error == SoundOutputError::NoOutput)
        return Fail(tr("There is no sound output."));
    if (error == SoundOutputError::OutputGone)
        return Fail(tr("The chosen sound output is not there."));
    if (!m_playback)
        return Fail(tr("The sound output cannot be opened."));
    m_outputName = m_playback->OutputName();
    m_transmitting = true;
    m_clock.start();
    m_poll.start();
    return true;
}

bool FskTransmitter::Fail(const QString &error)
{
    Release();
    m_error = error;
    return false;
}

void FskTransmitter::Stop()
{
    if (!m_playback)
        return;
    m_playedUs = m_playback->PlayedUs();
    m_playback.reset();
    ReportDone();
}

void FskTransmitter::Release()
{
    m_poll.stop();
    m_playback.reset();
    m_transmitting = false;
    m_receiver = nullptr;
}

qint64 FskTransmitter::OutputPlayedUs() const
{
    return m_playback ? m_playback->PlayedUs() : m_playedUs;
}

qint64 FskTransmitter::PlayedMs() const
{
    return std::clamp<qint64>(OutputPlayedUs() - PADDING_MS * 1000, 0, m_durationUs) / 1000;
}

bool FskTransmitter::HasPlayed() const
{
    switch (m_playback->GetState()) {
    case SoundPlayback::State::Played:
    case SoundPlayback::State::Failed: return true;
    case SoundPlayback::State::Playing: break;
    }
    return m_clock.nsecsElapsed() / 1000 >= m_durationUs + 2 * PADDING_MS * 1000 + STALLED_OUTPUT_GRACE_US;
}

void FskTransmitter::CheckPlayed()
{
    if (m_reported || !m_playback || !HasPlayed())
        return;
    if (m_verify)
        Verify();
    ReportDone();
}

// Only a transmission that played to its end is checked; one that was
// stopped or lost its output was not heard whole.
void FskTransmitter::Verify()
{
    if (m_playback->GetState() != SoundPlayback::State::Played)
        return;
    const std::vector<float> recording = m_playback->TakeMonitorRecording();
    m_verification = VerifyUpload({ m_sentBlocks.data(), m_sentCount }, recording);
    m_hasVerification = true;
}

void FskTransmitter::ReportDone()
{
    if (m_reported)
        return;
    m_reported = true;
    m_poll.stop();
    if (m_receiver)
        QCoreApplication::postEvent(m_receiver, new TransmitDoneEvent);
    emit Done();
}
