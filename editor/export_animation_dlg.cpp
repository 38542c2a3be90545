#include "editor/export_animation_dlg.h"

#include "display/animation_job.h"
#include "display/animation_timing.h"
#include "platform/file_prompts.h"
#include "platform/resource_module.h"
#include "resources/string_ids.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace
{

constexpr double DEFAULT_SECONDS = 10;
constexpr double MAX_SECONDS = double(MAX_ANIMATION_TICKS * TICK_MS) / 1000;
constexpr double SECONDS_STEP = 0.5;
// Each portion of the export runs for about this long before the window
// takes input again.
constexpr int PORTION_MS = 40;
constexpr std::uint64_t TICKS_PER_STEP = 25;
// What Browse… proposes for a sequence without a file, and the ending it
// adds to a name typed without one.
constexpr char PROPOSED_NAME[] = "animation.gif";
constexpr char DEFAULT_SUFFIX[] = "gif";

QString Text(int id)
{
    return ResourceModule::LoadString(id);
}

} // namespace

CExportAnimationDlg::CExportAnimationDlg(
    QWidget *parent, RowsSource rows, QString deviceBundle, SequenceFile sequenceFile)
    : QDialog(parent)
    , m_rows(std::move(rows))
    , m_deviceBundle(std::move(deviceBundle))
    , m_sequenceFile(std::move(sequenceFile))
    , m_file(new QLineEdit)
    , m_browse(new QPushButton(Text(IDS_EXPORT_BROWSE)))
    , m_length(new QDoubleSpinBox)
    , m_size(new QSpinBox)
    , m_progress(new QProgressBar)
    , m_status(new QLabel)
    , m_start(new QPushButton(Text(IDS_EXPORT_START)))
    , m_close(new QPushButton(Text(IDS_GENERATE_CLOSE)))
{
    m_length->setLocale(ResourceModule::InterfaceLocale());
    m_length->setRange(SECONDS_STEP, MAX_SECONDS);
    m_length->setSingleStep(SECONDS_STEP);
    m_length->setDecimals(1);
    m_length->setValue(DEFAULT_SECONDS);
    m_length->setSuffix(QLatin1Char(' ') + Text(IDS_EXPORT_SECONDS));
    m_size->setRange(MIN_ANIMATION_SIZE, DEVICE_PICTURE_SIZE);
    m_size->setSingleStep(2);
    m_size->setValue(DEFAULT_ANIMATION_SIZE);
    m_size->setSuffix(QLatin1Char(' ') + Text(IDS_EXPORT_PIXELS));
    m_status->setWordWrap(true);
    BuildControls();
}

CExportAnimationDlg::~CExportAnimationDlg() = default;

void CExportAnimationDlg::BuildControls()
{
    setWindowTitle(Text(IDS_EXPORT_TITLE));
    auto *purpose = new QLabel(Text(IDS_EXPORT_PURPOSE));
    purpose->setWordWrap(true);

    auto *file = new QHBoxLayout;
    file->addWidget(m_file, 1);
    file->addWidget(m_browse);
    auto *form = new QFormLayout;
    // The label names the file field, not the row with the button.
    auto *fileLabel = new QLabel(Text(IDS_EXPORT_FILE));
    fileLabel->setBuddy(m_file);
    form->addRow(fileLabel, file);
    form->addRow(Text(IDS_EXPORT_LENGTH), m_length);
    form->addRow(Text(IDS_EXPORT_SIZE), m_size);

    auto *buttons = new QDialogButtonBox;
    buttons->addButton(m_start, QDialogButtonBox::AcceptRole);
    buttons->addButton(m_close, QDialogButtonBox::RejectRole);
    m_start->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CExportAnimationDlg::OnExport);
    connect(buttons, &QDialogButtonBox::rejected, this, &CExportAnimationDlg::reject);
    connect(m_browse, &QPushButton::clicked, this, &CExportAnimationDlg::OnBrowse);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(purpose);
    layout->addLayout(form);
    layout->addWidget(m_progress);
    layout->addWidget(m_status);
    layout->addWidget(buttons);
    m_progress->setValue(0);
}

// Starts at the file named already, or else beside the sequence file with
// its name, centred over the editor.
void CExportAnimationDlg::OnBrowse()
{
    FileDialogRequest request { parentWidget() ? parentWidget() : this, FileDialogRequest::SaveAs,
        Text(IDS_EXPORT_TITLE), {}, Text(IDS_EXPORT_FILE_FILTER), QString::fromLatin1(DEFAULT_SUFFIX) };
    const QFileInfo typed(m_file->text().trimmed());
    if (typed.fileName().isEmpty()) {
        ProposeFileBeside(
            request, m_sequenceFile ? m_sequenceFile() : QString(), QString::fromLatin1(PROPOSED_NAME));
    } else {
        request.folder = typed.absolutePath();
        request.fileName = typed.fileName();
    }
    const QString path = PromptFileName(request);
    if (!path.isEmpty())
        m_file->setText(path);
}

void CExportAnimationDlg::OnExport()
{
    if (IsExporting() || !StartExport(m_file->text().trimmed()))
        return;
    SetExporting(true);
    m_timer.start(0, this);
}

bool CExportAnimationDlg::StartExport(const QString &path)
{
    // The name as the bytes the file system takes.
    const std::string fileName = QFile::encodeName(path).toStdString();
    if (const std::optional<AnimationRefusal> refusal = AnimationRefusalFor(fileName, m_size->value())) {
        m_status->setText(Text(
            *refusal == AnimationRefusal::UnknownEnding ? IDS_EXPORT_UNKNOWN_ENDING : IDS_EXPORT_ODD_SIZE));
        return false;
    }
    AnimationExport::Settings settings;
    settings.size = m_size->value();
    settings.ticks = SlotsInMilliseconds(static_cast<std::uint64_t>(m_length->value() * 1000));
    m_job = std::make_unique<AnimationJob>();
    if (!m_job->Start(m_rows(), QFile::encodeName(m_deviceBundle).toStdString(), fileName, settings)) {
        m_status->setText(Text(IDS_EXPORT_FAILED).arg(QString::fromStdString(m_job->Error())));
        m_job.reset();
        return false;
    }
    m_path = path;
    return true;
}

void CExportAnimationDlg::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId())
        return QDialog::timerEvent(event);
    QElapsedTimer portion;
    portion.start();
    bool more = true;
    while (more && portion.elapsed() < PORTION_MS)
        more = m_job->Advance(TICKS_PER_STEP);
    m_progress->setValue(static_cast<int>(m_job->DoneTicks()));
    if (more)
        return;
    if (m_job->Finish()) {
        m_progress->setValue(m_progress->maximum());
        Stop(Text(IDS_EXPORT_SAVED).arg(m_path));
    } else
        Stop(Text(IDS_EXPORT_FAILED).arg(QString::fromStdString(m_job->Error())));
}

void CExportAnimationDlg::Stop(const QString &status)
{
    m_timer.stop();
    // An export not finished leaves no file.
    m_job.reset();
    m_status->setText(status);
    SetExporting(false);
}

void CExportAnimationDlg::CancelExport()
{
    if (IsExporting())
        Stop(Text(IDS_EXPORT_CANCELLED));
}

void CExportAnimationDlg::reject()
{
    if (IsExporting())
        CancelExport();
    else
        QDialog::reject();
}

void CExportAnimationDlg::SetExporting(bool exporting)
{
    for (QWidget *input : std::initializer_list<QWidget *> { m_file, m_browse, m_length, m_size, m_start })
        input->setEnabled(!exporting);
    m_close->setText(Text(exporting ? IDS_EXPORT_CANCEL : IDS_GENERATE_CLOSE));
    if (exporting) {
        m_progress->setRange(0, static_cast<int>(m_job->TotalTicks()));
        m_progress->setValue(0);
        m_status->setText(Text(IDS_EXPORT_RUNNING));
    }
}
