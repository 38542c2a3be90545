#pragma once

#include "upload/upload_verification.h"

#include <QDialog>
#include <QTimer>

#include <functional>

class QDialogButtonBox;
class QLabel;
class QProgressBar;
class QPushButton;

// The small window that shows how far an upload has played ("Uploading:
// 4.2 s of 11.8 s" and a bar, renewed twenty times a second) with a Stop
// button, which Esc and the close box press too. When the upload has played
// to its end, it says what the check of the output heard and offers "Upload
// again" and Close. Its owner closes it when an upload was stopped.
class CUploadProgressDlg : public QDialog
{
    Q_OBJECT

public:
    // played tells how many milliseconds of the durationMs have played.
    CUploadProgressDlg(std::function<qint64()> played, qint64 durationMs, QWidget *parent);

    QString ProgressText() const;
    // The check's result, once shown.
    QString ResultText() const;
    bool IsShowingResult() const { return m_showingResult; }

    // The upload played to its end: what was heard of blockCount blocks, or
    // that nothing could be heard (check null).
    void ShowResult(const UploadVerification *check, int blockCount);

signals:
    void stopPressed();
    void uploadAgainPressed();

public slots:
    // Esc and the close box stop the upload; the window stays until it has.
    // Once the result shows, they close it.
    void reject() override;

private:
    void ShowProgress();

    std::function<qint64()> m_played;
    qint64 m_durationMs;
    QLabel *m_progressText;
    QProgressBar *m_bar;
    QLabel *m_result;
    QDialogButtonBox *m_buttons;
    QPushButton *m_stop;
    QTimer m_timer;
    bool m_showingResult = false;
};

// What the window says about a check of blockCount blocks; null check: none
// could be recorded.
QString VerificationText(const UploadVerification *check, int blockCount);
