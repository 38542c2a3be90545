#include "app/crash_recovery.h"

#include "document/brelvim_doc.h"
#include "document/recovery_file.h"
#include "platform/doc_template.h"
#include "platform/message_box.h"
#include "platform/resource_module.h"
#include "resources/string_ids.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace
{

constexpr char TIME_FORMAT[] = "yyyy-MM-dd hh:mm";

// The file the changes belong to as the question names it; a document
// without a file goes by the name a new document has.
QString FileName(const RecoveryRecord &record, const CBrelvimDoc &document)
{
    if (!record.file.isEmpty())
        return QDir::toNativeSeparators(record.file);
    const CDocTemplate *docTemplate = document.GetDocTemplate();
    return docTemplate ? docTemplate->GetDocString(CDocTemplate::docName) : QString();
}

bool AskToRestore(const RecoveryRecord &record, const CBrelvimDoc &document, QWidget *owner)
{
    const QString text
        = ResourceModule::LoadString(IDS_RECOVERY_QUESTION)
              .arg(FileName(record, document), record.time.toLocalTime().toString(TIME_FORMAT));
    return AskQuestion({ owner, text, QApplication::applicationDisplayName(),
        ResourceModule::LoadString(IDS_RECOVERY_RESTORE), ResourceModule::LoadString(IDS_RECOVERY_DISCARD) });
}

} // namespace

void RecoverLeftOverChanges(RecoveryFile &recovery, CBrelvimDoc &document, QWidget *owner)
{
    if (!recovery.Claim())
        return;
    // It writes nothing over a file left in this run's slot until the
    // document holds unsaved changes.
    document.SetRecoveryFile(&recovery);
    bool restored = false;
    for (const LeftOverRecovery &leftOver : recovery.TakeLeftOvers()) {
        const std::optional<RecoveryRecord> record = RecoveryFile::Read(leftOver.path);
        if (!record) {
            ShowMessageBox(owner,
                ResourceModule::LoadString(IDS_RECOVERY_DAMAGED).arg(QDir::toNativeSeparators(leftOver.path)),
                QApplication::applicationDisplayName());
            QFile::remove(leftOver.path);
        } else if (restored) {
            // There is one document: more changes wait for the next start.
            continue;
        } else if (AskToRestore(*record, document, owner)) {
            document.RestoreRows(record->rows, record->file);
            // This run's own file holds the changes from now on (one left in
            // this run's slot has just been written over).
            document.SaveRecovery();
            if (leftOver.lock)
                QFile::remove(leftOver.path);
            restored = true;
        } else {
            QFile::remove(leftOver.path);
        }
    }
}
