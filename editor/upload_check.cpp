#include "editor/upload_check.h"

#include "core/sequence_checker.h"
#include "editor/sequence_check_wnd.h"
#include "platform/message_box.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"

namespace
{

// Errors the question lists before it only counts the rest.
constexpr int LISTED_ERRORS = 10;

} // namespace

QStringList UploadCheckLines(const RowTable &rows)
{
    QStringList listed;
    int errors = 0;
    for (const Finding &finding : CheckSequence(rows, LocalFindingTexts()))
        if (finding.severity == FindingSeverity::Error && ++errors <= LISTED_ERRORS)
            listed << FindingLine(finding);
    if (errors > LISTED_ERRORS)
        listed << ResourceModule::LoadString(IDS_UPLOAD_CHECK_MORE).arg(errors - LISTED_ERRORS);
    return listed;
}

bool ConfirmUploadOfRows(QWidget *owner, const RowTable &rows)
{
    const QStringList listed = UploadCheckLines(rows);
    if (listed.isEmpty())
        return true;
    return AskQuestion({ owner, ResourceModule::LoadString(IDS_UPLOAD_CHECK_TEXT).arg(listed.join('\n')),
        ResourceModule::LoadString(IDS_UPLOAD_CHECK_TITLE), ResourceModule::LoadString(IDS_UPLOAD_ANYWAY),
        ResourceModule::LoadString(IDS_UPLOAD_CANCEL), false, QMessageBox::Warning });
}
