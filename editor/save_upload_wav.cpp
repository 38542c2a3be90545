#include "editor/save_upload_wav.h"

#include "core/row_table.h"
#include "editor/upload_check.h"
#include "platform/file_prompts.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "platform/whole_file.h"
#include "upload/wav_file.h"

namespace
{

constexpr char PROPOSED_NAME[] = "upload.wav";

} // namespace

void SaveUploadAsWav(QWidget *owner, const RowTable &rows, const QString &sequencePath)
{
    if (!ConfirmUploadOfRows(owner, rows))
        return;
    const QString caption = ResourceModule::LoadString(IDS_SAVE_UPLOAD_WAV);
    FileDialogRequest request { owner, FileDialogRequest::SaveAs, caption, {},
        ResourceModule::LoadString(IDS_WAV_FILTER), QStringLiteral("wav") };
    ProposeFileBeside(request, sequencePath, QString::fromLatin1(PROPOSED_NAME));
    const QString path = PromptFileName(request);
    if (path.isEmpty())
        return;
    const std::vector<std::uint8_t> wav = EncodeUploadWav(EncodeUploadImage(rows));
    const QByteArray bytes(reinterpret_cast<const char *>(wav.data()), static_cast<qsizetype>(wav.size()));
    if (const std::optional<FileWriteFailure> failure = WriteWholeFile(path, bytes))
        ShowMessageBox(owner, ResourceModule::LoadString(IDS_CANNOT_WRITE_FILE).arg(path), caption,
            QMessageBox::Warning, failure->Details(path));
}
