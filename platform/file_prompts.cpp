#include "platform/file_prompts.h"

#include "platform/interceptor.h"
#include "platform/resource_ids.h"
#include "platform/resource_module.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStandardPaths>

namespace
{

auto &FileDialogInterceptor()
{
    return InterceptorFor<QString(const FileDialogRequest &)>();
}

auto &SaveChangesInterceptor()
{
    return InterceptorFor<SaveChangesAnswer(const SaveChangesRequest &)>();
}

QString RunFileDialog(const FileDialogRequest &request)
{
    QFileDialog dialog(request.owner, request.caption);
    const bool open = request.mode == FileDialogRequest::Open;
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters({ request.filter, ResourceModule::LoadString(IDS_ALL_FILES_FILTER) });
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setDirectory(request.folder.isEmpty() ? UserDocumentsFolder() : request.folder);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

SaveChangesAnswer RunSaveChangesBox(const SaveChangesRequest &request)
{
    QMessageBox box(QMessageBox::Warning, request.title, request.text,
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, request.owner);
    switch (box.exec()) {
    case QMessageBox::Yes: return SaveChangesAnswer::Yes;
    case QMessageBox::No: return SaveChangesAnswer::No;
    default: return SaveChangesAnswer::Cancel;
    }
}

} // namespace

QString UserDocumentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

void ProposeFileBeside(FileDialogRequest &request, const QString &sequencePath, const QString &fallbackName)
{
    const QFileInfo sequence(sequencePath);
    if (sequencePath.isEmpty()) {
        request.folder = UserDocumentsFolder();
        request.fileName = fallbackName;
        return;
    }
    request.folder = sequence.absolutePath();
    request.fileName = sequence.completeBaseName() + QLatin1Char('.') + request.defaultSuffix;
}

QString PromptFileName(const FileDialogRequest &request)
{
    if (FileDialogInterceptor())
        return FileDialogInterceptor()(request);
    return RunFileDialog(request);
}

void InterceptFileDialogs(std::function<QString(const FileDialogRequest &)> interceptor)
{
    FileDialogInterceptor() = std::move(interceptor);
}

SaveChangesAnswer AskToSaveChanges(QWidget *owner, const QString &documentName)
{
    const SaveChangesRequest request { owner, ResourceModule::LoadString(IDS_SAVE_CHANGES).arg(documentName),
        QApplication::applicationDisplayName() };
    if (SaveChangesInterceptor())
        return SaveChangesInterceptor()(request);
    return RunSaveChangesBox(request);
}

void InterceptSaveChangesQuestion(std::function<SaveChangesAnswer(const SaveChangesRequest &)> interceptor)
{
    SaveChangesInterceptor() = std::move(interceptor);
}
