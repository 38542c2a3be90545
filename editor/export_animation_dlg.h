#pragma once

#include "core/row_table.h"

#include <QBasicTimer>
#include <QDialog>

#include <functional>
#include <memory>

class AnimationJob;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

// The Export animation window of the LED Editor: a file name, a length and
// a size; Export records the editor's sequence running on the device into
// the file, a little at a time so that the progress bar moves and Cancel
// (or closing the window) stops it, leaving no file behind.
class CExportAnimationDlg : public QDialog
{
    Q_OBJECT

public:
    // The rows to record, taken when the export starts.
    using RowsSource = std::function<RowTable()>;
    // The path of the sequence's file, empty while it has none: Browse…
    // starts beside it, with its name.
    using SequenceFile = std::function<QString()>;

    // deviceBundle names the device bundle whose picture is painted, found
    // as bundles are found.
    CExportAnimationDlg(
        QWidget *parent, RowsSource rows, QString deviceBundle, SequenceFile sequenceFile = {});
    ~CExportAnimationDlg() override;

    void OnExport();
    bool IsExporting() const { return m_job != nullptr; }
    // Stops the export as Cancel does, leaving no file.
    void CancelExport();

protected:
    // Closing the window while it exports cancels the export.
    void reject() override;
    void timerEvent(QTimerEvent *event) override;

private:
    void BuildControls();
    void OnBrowse();
    // Starts the export of the file; false, having said why, when it cannot.
    bool StartExport(const QString &path);
    void Stop(const QString &status);
    void SetExporting(bool exporting);

    RowsSource m_rows;
    QString m_deviceBundle;
    SequenceFile m_sequenceFile;
    std::unique_ptr<AnimationJob> m_job;
    QString m_path;
    QBasicTimer m_timer;

    QLineEdit *m_file;
    QPushButton *m_browse;
    QDoubleSpinBox *m_length;
    QSpinBox *m_size;
    QProgressBar *m_progress;
    QLabel *m_status;
    QPushButton *m_start;
    QPushButton *m_close;
};
