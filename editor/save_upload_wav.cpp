#include "editor/save_upload_wav.h"

#include "core/row_table.h"
#include "editor/upload_check.h"
#include "platform/file_prompts.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"
#include "upload/wav_file.h"

#include <QSaveFile>

namespace
{

constexpr char PROPOSED_NAME[] = "upload.wav";

// Replaces the file only once it is written whole; where the folder takes no
// temporary file, the file is written in place.
bool WriteWholeFile(const QString &path, const std::vector<std::uint8_t> &bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const auto size = static_cast<qint64>(bytes.size());
    return file.open(QIODevice::WriteOnly)
        && file.write(reinterpret_cast<const char *>(bytes.data()), size) == size && file.commit();
}

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
    if (!WriteWholeFile(path, EncodeUploadWav(EncodeUploadImage(rows))))
        ShowMessageBox(owner, ResourceModule::LoadString(IDS_CANNOT_WRITE_FILE).arg(path), caption,
            QMessageBox::Warning);
}
