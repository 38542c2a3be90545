#pragma once

#include "upload/fsk_transmitter.h"
#include "upload/sound_output.h"

#include <QObject>

#include <functional>
#include <memory>
#include <string>

class CUploadDlg;
class CUploadProgressDlg;
class QWidget;
class RowTable;

// The upload of a sequence into the device, for the window that offers it:
// the check of the rows and of the sound path (the Upload window when either
// has something to say), the transmitter, the progress window and the check
// of what left the computer. It keeps the sending flag; its windows belong
// to the owner.
class CUploadController : public QObject
{
    Q_OBJECT

public:
    // Shows the Upload window and returns whether the user goes ahead;
    // tests answer in its place.
    using AskFunction = std::function<bool(CUploadDlg &window)>;

    explicit CUploadController(QWidget *owner);
    ~CUploadController() override;

    // The enable rule of the upload command.
    bool CanUpload(bool running, int rowCount) const;
    bool IsSending() const { return m_sending; }

    // The command: checks, asks where there is something to say, then starts
    // the transmission and shows its progress, or tells why it cannot start.
    void Upload(const RowTable &rows);
    // The upload's last sample has played, or it was stopped.
    void OnTransmitDone();
    // Silences the upload; it ends as its last sample would end it.
    void Stop();
    // Asked before the main window closes: true when no upload plays or the
    // user agrees to stop it, which then stops.
    bool QueryStopToQuit();

    // Replaces the Upload window's exec (an empty function shows it again).
    static void InterceptUploadWindow(AskFunction ask);

signals:
    // The sending flag changed: the command's state is to be updated.
    void sendingChanged();
    // "Upload again" in the progress window.
    void uploadAgainPressed();

protected:
    bool event(QEvent *event) override;

private:
    // The sound path checked, and the window when it or the rows have
    // something to say; false when the user cancels. output is the sink to
    // play on.
    bool Preflight(const RowTable &rows, std::string &output);
    void ShowFailure();
    void ShowProgress();

    QWidget *m_owner;
    bool m_sending = false;
    bool m_stopped = false;
    FskTransmitter m_transmitter;
    std::unique_ptr<CUploadProgressDlg> m_progress;
};
