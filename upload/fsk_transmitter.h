#pragma once

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <vector>

class SoundPlayback;

// Posted to the receiver of a transmission once its last sample has played;
// the receiver then calls Release.
class TransmitDoneEvent : public QEvent
{
public:
    TransmitDoneEvent();
    static QEvent::Type EventType();
};

// Plays the upload signal once on the default sound output: 8-bit unsigned
// mono at 48 kHz, rendered completely before playback starts. The sound
// module is loaded at the first transmission.
class FskTransmitter : public QObject
{
    Q_OBJECT

public:
    explicit FskTransmitter(QObject *parent = nullptr);
    // Stops a transmission that is still playing and frees everything.
    ~FskTransmitter() override;

    // Renders blockCount blocks of 32 bytes at data (at least one block) and
    // starts playing them on the output that exists now; data may go as soon
    // as this returns. When the last sample has really left the output, Done
    // is emitted and a TransmitDoneEvent posted to receiver (if any), once.
    // Returns false when nothing plays: no sound output, an output that
    // cannot be opened, no memory for the samples, or a transmission already
    // under way. Then no completion comes, nothing is held, and ErrorText
    // says why.
    bool Transmit(QObject *receiver, std::uint8_t blockCount, const std::uint8_t *data);
    // Silences the output at once and ends the transmission as its last
    // sample would: Done and the event follow, unless they came already.
    void Stop();
    // Stops the output and frees the samples; nothing happens without a
    // transmission.
    void Release();

    // From Transmit until Release.
    bool IsTransmitting() const { return m_transmitting; }
    // Length of the transmission, and how much of it has played, in
    // milliseconds.
    qint64 DurationMs() const { return m_durationUs / 1000; }
    qint64 PlayedMs() const;
    QString ErrorText() const { return m_error; }

signals:
    void Done();

private:
    // Frees what the attempt took and keeps the reason; returns false.
    bool Fail(const QString &error);
    bool StartPlayback(std::vector<std::uint8_t> samples);
    void CheckPlayed();
    bool HasPlayed() const;
    void ReportDone();

    std::unique_ptr<SoundPlayback> m_playback;
    bool m_transmitting = false;
    QTimer m_poll;
    QElapsedTimer m_clock;
    QPointer<QObject> m_receiver;
    qint64 m_durationUs = 0;
    qint64 m_playedUs = 0;
    bool m_reported = false;
    QString m_error;
};
