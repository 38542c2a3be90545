#include "upload/fsk_transmitter.h"

#include "upload/fsk_signal.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>

#include <new>

namespace
{

constexpr int POLL_MS = 20;
// The sound system counts played time in blocks; this much short of the end
// is the end.
constexpr qint64 PLAYED_TOLERANCE_US = 1000;
// An output that stops counting (a sink that drops the stream, a device
// unplugged) still finishes: playback is over once this much more than the
// signal's length has passed.
constexpr qint64 STALLED_OUTPUT_GRACE_US = 3'000'000;

QAudioFormat SignalFormat()
{
    QAudioFormat format;
    format.setSampleRate(UPLOAD_SAMPLE_RATE);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::UInt8);
    return format;
}

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
    try {
        const std::vector<std::uint8_t> samples = RenderUploadSignal({ data, blockCount });
        m_samples = QByteArray(
            reinterpret_cast<const char *>(samples.data()), static_cast<qsizetype>(samples.size()));
    } catch (const std::bad_alloc &) {
        return Fail(tr("There is not enough memory for the upload signal."));
    }
    m_durationUs = static_cast<qint64>(m_samples.size()) * 1'000'000 / UPLOAD_SAMPLE_RATE;
    m_receiver = receiver;
    m_reported = false;
    return StartPlayback();
}

bool FskTransmitter::StartPlayback()
{
    const QAudioDevice output = QMediaDevices::defaultAudioOutput();
    if (output.isNull())
        return Fail(tr("There is no sound output."));
    m_sink = std::make_unique<QAudioSink>(output, SignalFormat());
    m_source.setBuffer(&m_samples);
    m_source.open(QIODevice::ReadOnly);
    m_clock.start();
    m_sink->start(&m_source);
    if (m_sink->error() != QAudio::NoError || m_sink->state() == QAudio::StoppedState)
        return Fail(tr("The sound output cannot be opened."));
    m_poll.start();
    return true;
}

bool FskTransmitter::Fail(const QString &error)
{
    Release();
    m_error = error;
    return false;
}

void FskTransmitter::Release()
{
    m_poll.stop();
    if (m_sink) {
        m_sink->stop();
        m_sink.reset();
    }
    m_source.close();
    m_samples = QByteArray();
    m_receiver = nullptr;
}

bool FskTransmitter::HasPlayed() const
{
    // QAudioSink turns idle once it has read the last sample, a good part of
    // a second before the output has played it; the played time tells.
    if (m_sink->processedUSecs() + PLAYED_TOLERANCE_US >= m_durationUs
        && m_clock.nsecsElapsed() / 1000 >= m_durationUs)
        return true;
    return m_sink->state() != QAudio::ActiveState
        && m_clock.nsecsElapsed() / 1000 >= m_durationUs + STALLED_OUTPUT_GRACE_US;
}

void FskTransmitter::CheckPlayed()
{
    if (m_reported || !HasPlayed())
        return;
    m_reported = true;
    m_poll.stop();
    if (m_receiver)
        QCoreApplication::postEvent(m_receiver, new TransmitDoneEvent);
    emit Done();
}
