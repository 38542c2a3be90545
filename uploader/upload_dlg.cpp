#include "uploader/upload_dlg.h"

#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{

QString FindingText(SoundPathFinding finding, const SoundOutput *output, const std::string &chosen)
{
    switch (finding) {
    case SoundPathFinding::NoOutput: return ResourceModule::LoadString(IDS_UPLOAD_NO_OUTPUT);
    case SoundPathFinding::ChosenOutputGone:
        return ResourceModule::LoadString(IDS_UPLOAD_OUTPUT_GONE).arg(QString::fromStdString(chosen));
    case SoundPathFinding::Muted: return ResourceModule::LoadString(IDS_UPLOAD_MUTED);
    case SoundPathFinding::VolumeLow:
        return ResourceModule::LoadString(IDS_UPLOAD_VOLUME_LOW).arg(output->volumePercent);
    case SoundPathFinding::VolumeHigh:
        return ResourceModule::LoadString(IDS_UPLOAD_VOLUME_HIGH).arg(output->volumePercent);
    case SoundPathFinding::Bluetooth: return ResourceModule::LoadString(IDS_UPLOAD_BLUETOOTH);
    case SoundPathFinding::HdmiOrDisplayPort: return ResourceModule::LoadString(IDS_UPLOAD_HDMI);
    }
    return {};
}

bool IsMuted(const SoundPath &path, const SoundOutputs &outputs)
{
    return path.output >= 0 && outputs[static_cast<std::size_t>(path.output)].muted;
}

} // namespace

QStringList SoundPathLines(const SoundPath &path, const SoundOutputs &outputs, const std::string &chosen)
{
    const SoundOutput *output = path.output >= 0 ? &outputs[static_cast<std::size_t>(path.output)] : nullptr;
    QStringList lines;
    for (const SoundPathFinding finding : path.findings)
        lines << FindingText(finding, output, chosen);
    return lines;
}

CUploadDlg::CUploadDlg(const QStringList &checkLines, SoundOutputs outputs, const std::string &chosen,
    Unmute unmute, ListOutputs listOutputs, QWidget *parent)
    : QDialog(parent)
    , m_outputs(std::move(outputs))
    , m_chosen(chosen)
    , m_checkText(checkLines.isEmpty()
              ? QString()
              : ResourceModule::LoadString(IDS_UPLOAD_CHECK_TEXT).arg(checkLines.join('\n')))
    , m_unmuteOutput(std::move(unmute))
    , m_listOutputs(std::move(listOutputs))
    , m_outputList(new QComboBox(this))
    , m_soundPath(new QLabel(this))
    , m_unmuteNote(new QLabel(this))
    , m_unmute(new QPushButton(ResourceModule::LoadString(IDS_UPLOAD_UNMUTE), this))
    , m_upload(nullptr)
{
    setWindowTitle(ResourceModule::LoadString(IDS_UPLOAD_CHECK_TITLE));
    auto *layout = new QVBoxLayout(this);
    if (!m_checkText.isEmpty()) {
        auto *errors = new QLabel(m_checkText, this);
        errors->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(errors);
    }
    layout->addWidget(new QLabel(ResourceModule::LoadString(IDS_UPLOAD_OUTPUT_INTRO), this));
    auto *label = new QLabel(ResourceModule::LoadString(IDS_UPLOAD_OUTPUT_LABEL), this);
    label->setBuddy(m_outputList);
    layout->addWidget(label);
    layout->addWidget(m_outputList);
    m_soundPath->setWordWrap(true);
    layout->addWidget(m_soundPath);
    layout->addWidget(m_unmute, 0, Qt::AlignLeft);
    m_unmuteNote->hide();
    layout->addWidget(m_unmuteNote);

    auto *buttons = new QDialogButtonBox(this);
    m_upload
        = buttons->addButton(ResourceModule::LoadString(IDS_UPLOAD_ANYWAY), QDialogButtonBox::AcceptRole);
    QPushButton *cancel
        = buttons->addButton(ResourceModule::LoadString(IDS_UPLOAD_CANCEL), QDialogButtonBox::RejectRole);
    // Going ahead is the risky answer: Enter and Esc both cancel.
    m_upload->setAutoDefault(false);
    cancel->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(m_outputList, &QComboBox::currentIndexChanged, this, &CUploadDlg::ShowSoundPath);
    connect(m_outputList, &QComboBox::currentIndexChanged, m_unmuteNote, &QLabel::hide);
    connect(m_unmute, &QPushButton::clicked, this, &CUploadDlg::OnUnmute);
    m_fallback = CheckSoundPath(m_outputs, m_chosen);
    FillOutputList(m_fallback.output >= 0 ? m_outputs[static_cast<std::size_t>(m_fallback.output)].name : "");
    cancel->setFocus();
}

void CUploadDlg::FillOutputList(const std::string &selected)
{
    const QSignalBlocker blocker(m_outputList);
    m_outputList->clear();
    for (const SoundOutput &output : m_outputs) {
        const QString description = QString::fromStdString(output.description);
        m_outputList->addItem(output.isDefault
                ? ResourceModule::LoadString(IDS_UPLOAD_DEFAULT_OUTPUT).arg(description)
                : description,
            QString::fromStdString(output.name));
        if (output.name == selected)
            m_outputList->setCurrentIndex(m_outputList->count() - 1);
    }
    m_outputList->setEnabled(!m_outputs.empty());
    ShowSoundPath();
}

std::string CUploadDlg::ChosenOutput() const
{
    return m_outputList->currentData().toString().toStdString();
}

QString CUploadDlg::SoundPathText() const
{
    return m_soundPath->text();
}

// Judged as if the output in the list had been chosen; while the one the
// settings gave plays, its findings are the window's first ones, a chosen
// output that has gone among them.
void CUploadDlg::ShowSoundPath()
{
    SoundPath path = CheckSoundPath(m_outputs, ChosenOutput());
    if (path.output == m_fallback.output)
        path = CheckSoundPath(m_outputs, m_chosen);
    const QStringList lines = SoundPathLines(path, m_outputs, m_chosen);
    m_soundPath->setText(lines.join('\n'));
    m_soundPath->setVisible(!lines.isEmpty());
    m_unmute->setVisible(IsMuted(path, m_outputs));
    m_upload->setText(ResourceModule::LoadString(
        lines.isEmpty() && m_checkText.isEmpty() ? IDS_UPLOAD_START : IDS_UPLOAD_ANYWAY));
}

void CUploadDlg::OnUnmute()
{
    const std::string name = ChosenOutput();
    const bool unmuted = m_unmuteOutput(name);
    if (unmuted)
        m_outputs = m_listOutputs();
    m_unmuteNote->setText(
        ResourceModule::LoadString(unmuted ? IDS_UPLOAD_UNMUTED : IDS_UPLOAD_UNMUTE_FAILED));
    m_unmuteNote->show();
    FillOutputList(name);
}
