#include "uploader/upload_controller.h"

#include "editor/upload_check.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "platform/settings_store.h"
#include "upload/sound_module.h"
#include "upload/sound_path_check.h"
#include "upload/upload_command.h"
#include "uploader/upload_dlg.h"
#include "uploader/upload_progress_dlg.h"

#include <QApplication>

namespace
{

CUploadController::AskFunction &AskInterceptor()
{
    static CUploadController::AskFunction ask;
    return ask;
}

bool Ask(CUploadDlg &window)
{
    if (AskInterceptor())
        return AskInterceptor()(window);
    return window.exec() == QDialog::Accepted;
}

// No list is no output: the window says so.
SoundOutputs CurrentOutputs()
{
    SoundOutputs outputs;
    std::string error;
    if (!ListSoundOutputsNow(outputs, error))
        outputs.clear();
    return outputs;
}

QString ChosenOutputSetting()
{
    return SettingsStore::GetProfileString(
        QLatin1String(SettingsStore::SECTION), QLatin1String(SettingsStore::KEY_OUTPUT));
}

} // namespace

CUploadController::CUploadController(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{
    m_transmitter.SetVerify(true);
}

CUploadController::~CUploadController() = default;

void CUploadController::InterceptUploadWindow(AskFunction ask)
{
    AskInterceptor() = std::move(ask);
}

bool CUploadController::CanUpload(bool running, int rowCount) const
{
    return ::CanUpload(m_sending, running, rowCount);
}

void CUploadController::Upload(const RowTable &rows)
{
    std::string output;
    if (!Preflight(rows, output))
        return;
    m_transmitter.SetOutput(output);
    m_stopped = false;
    m_progress.reset();
    const bool started = StartUpload(rows, m_sending, [this](int blockCount, const std::uint8_t *image) {
        return m_transmitter.Transmit(this, static_cast<std::uint8_t>(blockCount), image);
    });
    if (!started)
        ShowFailure();
    else
        ShowProgress();
    emit sendingChanged();
}

bool CUploadController::Preflight(const RowTable &rows, std::string &output)
{
    const QStringList checkLines = UploadCheckLines(rows);
    const SoundOutputs outputs = CurrentOutputs();
    const std::string chosen = ChosenOutputSetting().toStdString();
    const SoundPath path = CheckSoundPath(outputs, chosen);
    output = path.output >= 0 ? outputs[static_cast<std::size_t>(path.output)].name : std::string();
    if (checkLines.isEmpty() && !path.askFirst)
        return true;
    CUploadDlg window(checkLines, outputs, chosen, UnmuteSoundOutputNow, CurrentOutputs, m_owner);
    if (!Ask(window))
        return false;
    output = window.ChosenOutput();
    if (!output.empty())
        SettingsStore::WriteProfileString(QLatin1String(SettingsStore::SECTION),
            QLatin1String(SettingsStore::KEY_OUTPUT), QString::fromStdString(output));
    return true;
}

void CUploadController::ShowProgress()
{
    m_progress = std::make_unique<CUploadProgressDlg>(
        [this] { return m_transmitter.PlayedMs(); }, m_transmitter.DurationMs(), m_owner);
    connect(m_progress.get(), &CUploadProgressDlg::stopPressed, this, &CUploadController::Stop);
    // Queued: the next upload replaces the window whose button was pressed.
    connect(m_progress.get(), &CUploadProgressDlg::uploadAgainPressed, this,
        &CUploadController::uploadAgainPressed, Qt::QueuedConnection);
    m_progress->show();
}

// The sound output says why in English; the string table has the reason in
// the user's language.
void CUploadController::ShowFailure()
{
    const QString reason = ResourceModule::LoadStringWithEnglishText(
        m_transmitter.ErrorText(), IDS_UPLOAD_REASON_FIRST, IDS_UPLOAD_REASON_LAST);
    ShowMessageBox(m_owner, ResourceModule::LoadString(IDS_UPLOAD_CANNOT_START).arg(reason),
        ResourceModule::LoadString(IDS_UPLOAD_ERROR_TITLE), QMessageBox::Warning);
}

// A stopped upload closes its window; one that played to its end shows what
// was heard of it.
void CUploadController::OnTransmitDone()
{
    if (m_progress && !m_stopped)
        m_progress->ShowResult(
            m_transmitter.HasVerification() ? &m_transmitter.Verification() : nullptr, UPLOAD_BLOCK_COUNT);
    else
        m_progress.reset();
    FinishUpload(m_sending, [this] { m_transmitter.Release(); });
    emit sendingChanged();
}

void CUploadController::Stop()
{
    m_stopped = true;
    m_transmitter.Stop();
}

bool CUploadController::QueryStopToQuit()
{
    if (!m_sending)
        return true;
    if (!AskQuestion({ m_owner, ResourceModule::LoadString(IDS_UPLOAD_STOP_AND_QUIT),
            QApplication::applicationDisplayName(), {}, {}, false }))
        return false;
    Stop();
    return true;
}

bool CUploadController::event(QEvent *event)
{
    if (event->type() == TransmitDoneEvent::EventType()) {
        OnTransmitDone();
        return true;
    }
    return QObject::event(event);
}
