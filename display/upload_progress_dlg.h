#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

class QLabel;
class QProgressBar;

// The small window that shows how far an upload has played ("Uploading:
// 4.2 s of 11.8 s" and a bar, renewed twenty times a second) with a Stop
// button, which Esc and the close box press too. It does not close itself:
// its owner closes it when the upload has ended.
class CUploadProgressDlg : public QDialog
{
    Q_OBJECT

public:
    // played tells how many milliseconds of the durationMs have played.
    CUploadProgressDlg(std::function<qint64()> played, qint64 durationMs, QWidget *parent);

    QString ProgressText() const;

signals:
    void stopPressed();

public slots:
    // Esc and the close box stop the upload; the window stays until it has.
    void reject() override;

private:
    void ShowProgress();

    std::function<qint64()> m_played;
    qint64 m_durationMs;
    QLabel *m_progressText;
    QProgressBar *m_bar;
    QTimer m_timer;
};
