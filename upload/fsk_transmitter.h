#pragma once

#include "upload/upload_verification.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <string>
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

// Plays the upload signal once on a sound output: 8-bit unsigned mono at
// 48 kHz, rendered completely before playback starts, with silence before
// and after it, so that an output that is slow to start or trims its tail
// still plays the whole signal. The sound module is loaded at the first
// transmission. With verification on, the output's monitor is recorded while
// the upload plays and checked against the blocks sent when it has played.
class FskTransmitter : public QObject
{
    Q_OBJECT

public:
    // Silence played before and after the signal.
    static constexpr qint64 PADDING_MS = 500;

    explicit FskTransmitter(QObject *parent = nullptr);
    // Stops a transmission that is still playing and frees everything.
    ~FskTransmitter() override;

    // The output the next transmissions play on, a sink's name; empty for
    // the system's default.
    void SetOutput(std::string name) { m_output = std::move(name); }
    void SetVerify(bool verify) { m_verify = verify; }

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
    // Length of the signal, and how much of it has played, in milliseconds;
    // the silence around it does not count.
    qint64 DurationMs() const { return m_durationUs / 1000; }
    qint64 PlayedMs() const;
    // How much has left the output, the silence before the signal included.
    qint64 OutputPlayedUs() const;
    QString ErrorText() const { return m_error; }
    // The output the server put the transmission on.
    std::string OutputName() const { return m_outputName; }
    // Once Done came for a transmission that played to its end with
    // verification on: true, and the check of what its monitor heard.
    bool HasVerification() const { return m_hasVerification; }
    const UploadVerification &Verification() const { return m_verification; }

signals:
    void Done();

private:
    // Frees what the attempt took and keeps the reason; returns false.
    bool Fail(const QString &error);
    bool StartPlayback(std::vector<std::uint8_t> samples);
    void CheckPlayed();
    bool HasPlayed() const;
    void ReportDone();
    void Verify();

    std::unique_ptr<SoundPlayback> m_playback;
    bool m_transmitting = false;
    QTimer m_poll;
    QElapsedTimer m_clock;
    QPointer<QObject> m_receiver;
    std::string m_output;
    bool m_verify = false;
    std::vector<std::uint8_t> m_sentBlocks;
    std::uint8_t m_sentCount = 0;
    std::string m_outputName;
    bool m_hasVerification = false;
    UploadVerification m_verification;
    qint64 m_durationUs = 0;
    qint64 m_playedUs = 0;
    bool m_reported = false;
    QString m_error;
};
