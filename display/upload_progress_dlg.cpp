#include "display/upload_progress_dlg.h"

#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
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

} // namespace

CUploadProgressDlg::CUploadProgressDlg(std::function<qint64()> played, qint64 durationMs, QWidget *parent)
    : QDialog(parent)
    , m_played(std::move(played))
    , m_durationMs(durationMs)
    , m_progressText(new QLabel(this))
    , m_bar(new QProgressBar(this))
{
    setWindowTitle(ResourceModule::LoadString(IDS_UPLOAD_PROGRESS_TITLE));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(ResourceModule::LoadString(IDS_UPLOAD_PROGRESS_PROMPT), this));
    layout->addWidget(m_progressText);
    m_bar->setRange(0, static_cast<int>(durationMs));
    m_bar->setTextVisible(false);
    layout->addWidget(m_bar);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *stop
        = buttons->addButton(ResourceModule::LoadString(IDS_UPLOAD_STOP), QDialogButtonBox::RejectRole);
    connect(stop, &QPushButton::clicked, this, &CUploadProgressDlg::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(&m_timer, &QTimer::timeout, this, &CUploadProgressDlg::ShowProgress);
    m_timer.start(PROGRESS_INTERVAL_MS);
    ShowProgress();
}

QString CUploadProgressDlg::ProgressText() const
{
    return m_progressText->text();
}

void CUploadProgressDlg::reject()
{
    emit stopPressed();
}

void CUploadProgressDlg::ShowProgress()
{
    const qint64 played = std::clamp<qint64>(m_played(), 0, m_durationMs);
    m_progressText->setText(
        ResourceModule::LoadString(IDS_UPLOAD_PROGRESS).arg(Seconds(played), Seconds(m_durationMs)));
    m_bar->setValue(static_cast<int>(played));
}
