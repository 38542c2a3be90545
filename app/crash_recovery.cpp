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

// True to restore, false to discard, nullopt to decide at the next start.
std::optional<bool> AskToRestore(const RecoveryRecord &record, const CBrelvimDoc &document, QWidget *owner)
{
    const QString text
        = ResourceModule::LoadString(IDS_RECOVERY_QUESTION)
              .arg(FileName(record, document), record.time.toLocalTime().toString(TIME_FORMAT));
    return AskQuestionOrLater({ owner, text, QApplication::applicationDisplayName(),
                                  ResourceModule::LoadString(IDS_RECOVERY_RESTORE),
                                  ResourceModule::LoadString(IDS_RECOVERY_DISCARD) },
        ResourceModule::LoadString(IDS_RECOVERY_LATER));
}

void ReportDamaged(const QString &path, QWidget *owner)
{
    const QString aside = RecoveryFile::KeepAside(path);
    ShowMessageBox(owner,
        ResourceModule::LoadString(IDS_RECOVERY_DAMAGED)
            .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(aside)),
        QApplication::applicationDisplayName());
}

} // namespace

void RecoverLeftOverChanges(RecoveryFile &recovery, CBrelvimDoc &document, QWidget *owner)
{
    // A slot of its own first, one that holds nothing left over. Without one
    // the document tries again at its first unsaved change, and says why it
    // cannot keep it.
    recovery.Claim();
    document.SetRecoveryFile(&recovery);
    bool restored = false;
    for (const LeftOverRecovery &leftOver : recovery.TakeLeftOvers()) {
        const std::optional<RecoveryRecord> record = RecoveryFile::Read(leftOver.path);
        if (!record) {
            ReportDamaged(leftOver.path, owner);
            continue;
        }
        // There is one document: more changes wait for the next start.
        if (restored)
            continue;
        const std::optional<bool> restore = AskToRestore(*record, document, owner);
        if (!restore)
            continue;
        if (*restore) {
            document.RestoreRows(record->rows, record->file);
            restored = true;
            // The changes are in this run's own file now; until they are,
            // the file left over stays.
            if (!document.SaveRecovery())
                continue;
        }
        QFile::remove(leftOver.path);
    }
}