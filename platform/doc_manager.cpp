#include "platform/doc_manager.h"

#include "platform/bundle_file.h"
#include "platform/command_table.h"
#include "platform/document.h"
#include "platform/file_prompts.h"
#include "platform/recent_file_list.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QFileInfo>

namespace
{

// Whether folder lies in the data installed with the program, such as the
// examples: no place for the user's files, even for one who may write there.
bool IsInstalledData(const QString &folder)
{
    const QString data = InstalledDataPath(QString());
    return folder == data || folder.startsWith(data + QLatin1Char('/'));
}

// Whether a save can write path: the file itself when it is there, else a
// new file in its folder.
bool CanWrite(const QString &path)
{
    const QFileInfo file(path);
    if (IsInstalledData(file.absolutePath()))
        return false;
    return file.exists() ? file.isWritable() : QFileInfo(file.absolutePath()).isWritable();
}

} // namespace

CDocManager::CDocManager(const QString &templateString, CDocument &document)
    : m_docTemplate(templateString)
    , m_document(document)
{
    m_document.SetDocTemplate(&m_docTemplate);
}

void CDocManager::RegisterCommands(CommandTable &commands)
{
    commands.OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    commands.OnCommand(ID_FILE_SAVE, [this] { OnFileSave(); });
    commands.OnCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
}

bool CDocManager::OnFileNew()
{
    if (!SaveModified())
        return false;
    if (!m_document.OnNewDocument())
        return false;
    m_document.SendInitialUpdate();
    return true;
}

void CDocManager::OnFileOpen()
{
    const QString path = AskForFileName(true);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void CDocManager::OnFileSave()
{
    DoFileSave();
}

void CDocManager::OnFileSaveAs()
{
    DoSave(QString(), true);
}

bool CDocManager::OpenDocumentFile(const QString &path)
{
    if (!SaveModified())
        return false;
    const QString oldPath = m_document.GetPathName();
    const bool wasModified = m_document.IsModified();
    // The document names the file while it loads; one that cannot load it
    // leaves itself without a file, and then the file is not a recent one.
    m_document.SetModifiedFlag(false);
    m_document.SetPathName(path, false);
    if (!m_document.OnOpenDocument(path)) {
        m_document.SetPathName(oldPath, false);
        m_document.SetModifiedFlag(wasModified);
        return false;
    }
    if (!m_document.GetPathName().isEmpty())
        AddToRecentFileList(m_document.GetPathName());
    m_document.SendInitialUpdate();
    return true;
}

bool CDocManager::SaveModified()
{
    m_document.CommitPendingEdits();
    if (!m_document.IsModified())
        return true;
    const QString name = m_document.GetPathName().isEmpty() ? m_document.GetTitle()
                                                            : QFileInfo(m_document.GetPathName()).fileName();
    switch (AskToSaveChanges(m_mainWindow, name)) {
    case SaveChangesAnswer::Yes: return DoFileSave();
    case SaveChangesAnswer::No: return true;
    case SaveChangesAnswer::Cancel: return false;
    }
    return false;
}

bool CDocManager::DoSave(const QString &path, bool rename)
{
    const QString target = path.isEmpty() ? AskForFileName(false) : path;
    if (target.isEmpty() || !m_document.OnSaveDocument(target))
        return false;
    if (rename)
        m_document.SetPathName(target);
    return true;
}

bool CDocManager::DoFileSave()
{
    // A file that cannot be written is saved under a new name, as the
    // framework does with a read-only file; so is an installed example.
    const QString path = m_document.GetPathName();
    return DoSave(CanWrite(path) ? path : QString(), true);
}

QString CDocManager::AskForFileName(bool open) const
{
    QString suffix = m_docTemplate.GetDocString(CDocTemplate::filterExt);
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    const FileDialogRequest request { m_mainWindow,
        open ? FileDialogRequest::Open : FileDialogRequest::SaveAs,
        ResourceModule::LoadString(open ? IDS_OPEN_CAPTION : IDS_SAVE_AS_CAPTION),
        open ? QString() : ProposedSaveName(), m_docTemplate.GetDocString(CDocTemplate::filterName), suffix,
        StartFolder() };
    return PromptFileName(request);
}

QString CDocManager::StartFolder() const
{
    const QString path = m_document.GetPathName();
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!path.isEmpty() && folder.isDir() && folder.isWritable()
        && !IsInstalledData(folder.absoluteFilePath()))
        return folder.absoluteFilePath();
    return UserDocumentsFolder();
}

QString CDocManager::ProposedSaveName() const
{
    if (!m_document.GetPathName().isEmpty())
        return QFileInfo(m_document.GetPathName()).fileName();
    return m_document.GetTitle() + m_docTemplate.GetDocString(CDocTemplate::filterExt);
}
