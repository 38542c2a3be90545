#include "uploader/upload_progress_dlg.h"

#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>

namespace
{

constexpr int PROGRESS_INTERVAL_MS = 50;

// Seconds with one decimal, written as the interface's language writes them.
QString Seconds(qint64 milliseconds)
{
    return ResourceModule::InterfaceLocale().toString(static_cast<double>(milliseconds) / 1000.0, 'f', 1);
}

// "−0.4", with the minus sign a typesetter uses.
QString Decibels(double peak)
{
    return ResourceModule::InterfaceLocale()
        .toString(PeakDbfs(peak), 'f', 1)
        .replace(QLatin1Char('-'), QChar(0x2212));
}

int CauseId(DisturbanceCause cause)
{
    switch (cause) {
    case DisturbanceCause::AnotherSound: return IDS_UPLOAD_CAUSE_ANOTHER_SOUND;
    case DisturbanceCause::Gap: return IDS_UPLOAD_CAUSE_GAP;
    case DisturbanceCause::Clipped: return IDS_UPLOAD_CAUSE_CLIPPED;
    case DisturbanceCause::TooQuiet: return IDS_UPLOAD_CAUSE_TOO_QUIET;
    case DisturbanceCause::Unknown: break;
    }
    return IDS_UPLOAD_CAUSE_UNKNOWN;
}

} // namespace

QString VerificationText(const UploadVerification *check, int blockCount)
{
    QStringList lines;
    if (!check || !check->recorded) {
        lines << ResourceModule::LoadString(IDS_UPLOAD_NOT_CHECKED);
    } else if (check->Intact()) {
        lines << ResourceModule::LoadString(IDS_UPLOAD_INTACT).arg(blockCount).arg(Decibels(check->peak));
    } else {
        lines << ResourceModule::LoadString(IDS_UPLOAD_DISTURBED)
                     .arg(check->disturbed.size())
                     .arg(blockCount)
                     .arg(Decibels(check->peak));
        for (const DisturbedBlock &block : check->disturbed)
            lines << ResourceModule::LoadString(IDS_UPLOAD_BLOCK_CAUSE)
                         .arg(block.block)
                         .arg(ResourceModule::LoadString(CauseId(block.cause)));
    }
    lines << ResourceModule::LoadString(IDS_UPLOAD_CHECK_SCOPE);
    return lines.join('\n');
}

CUploadProgressDlg::CUploadProgressDlg(std::function<qint64()> played, qint64 durationMs, QWidget *parent)
    : QDialog(parent)
    , m_played(std::move(played))
    , m_durationMs(durationMs)
    , m_progressText(new QLabel(this))
    , m_bar(new QProgressBar(this))
    , m_result(new QLabel(this))
{
    setWindowTitle(ResourceModule::LoadString(IDS_UPLOAD_PROGRESS_TITLE));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ResourceModule::LoadString(IDS_UPLOAD_PROGRESS_PROMPT), this));
    layout->addWidget(m_progressText);
    m_bar->setRange(0, static_cast<int>(durationMs));
    m_bar->setTextVisible(false);
    layout->addWidget(m_bar);
    m_result->hide();
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_result);
    m_buttons = new QDialogButtonBox(this);
    m_stop = m_buttons->addButton(ResourceModule::LoadString(IDS_UPLOAD_STOP), QDialogButtonBox::RejectRole);
    connect(m_stop, &QPushButton::clicked, this, &CUploadProgressDlg::reject);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&m_timer, &QTimer::timeout, this, &CUploadProgressDlg::ShowProgress);
    m_timer.start(PROGRESS_INTERVAL_MS);
    ShowProgress();
}

QString CUploadProgressDlg::ProgressText() const
{
    return m_progressText->text();
}

QString CUploadProgressDlg::ResultText() const
{
    return m_result->text();
}

void CUploadProgressDlg::ShowResult(const UploadVerification *check, int blockCount)
{
    m_timer.stop();
    m_played = [this] { return m_durationMs; };
    ShowProgress();
    m_showingResult = true;
    m_result->setText(VerificationText(check, blockCount));
    m_result->show();
    m_stop->setText(ResourceModule::LoadString(IDS_UPLOAD_CLOSE));
    QPushButton *again
        = m_buttons->addButton(ResourceModule::LoadString(IDS_UPLOAD_AGAIN), QDialogButtonBox::ActionRole);
    connect(again, &QPushButton::clicked, this, &CUploadProgressDlg::uploadAgainPressed);
}

void CUploadProgressDlg::reject()
{
    if (m_showingResult)
        QDialog::reject();
    else
        emit stopPressed();
}

void CUploadProgressDlg::ShowProgress()
{
    const qint64 played = std::clamp<qint64>(m_played(), 0, m_durationMs);
    m_progressText->setText(
        ResourceModule::LoadString(IDS_UPLOAD_PROGRESS).arg(Seconds(played), Seconds(m_durationMs)));
    m_bar->setValue(static_cast<int>(played));
}
