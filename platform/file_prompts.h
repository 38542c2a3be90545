#pragma once

#include <QString>

#include <functional>

class QWidget;

// The two questions the file commands ask, each through one function that
// tests can intercept instead of blocking on a modal dialog.

// A file dialog: Open or Save As.
struct FileDialogRequest {
    enum Mode { Open, SaveAs };

    QWidget *owner;
    Mode mode;
    QString caption;
    QString fileName; // the name proposed to the user, without a folder
    QString filter; // such as "Pemblo files (*.lsq)"
    QString defaultSuffix; // added to a name typed without one, such as "lsq"
    QString folder = {}; // where the dialog starts; empty: UserDocumentsFolder()
};

// The user's documents folder, or the home folder when there is none.
QString UserDocumentsFolder();

// Where a dialog that saves something made of a sequence starts: beside the
// sequence file at sequencePath with its base name and the suffix
// ("chase.wav" for chase.lsq), or fallbackName in the documents folder for
// a sequence without a file. Fills in the request's folder and file name.
void ProposeFileBeside(FileDialogRequest &request, const QString &sequencePath, const QString &fallbackName);

// The chosen file's path, or an empty string when the user cancelled.
QString PromptFileName(const FileDialogRequest &request);
// Replaces the dialog by a call of interceptor (an empty function shows
// dialogs again).
void InterceptFileDialogs(std::function<QString(const FileDialogRequest &)> interceptor);

// Asked before a modified document is replaced or the application closes.
enum class SaveChangesAnswer { Yes, No, Cancel };

struct SaveChangesRequest {
    QWidget *owner;
    QString text;
    QString title;
};

SaveChangesAnswer AskToSaveChanges(QWidget *owner, const QString &documentName);
void InterceptSaveChangesQuestion(std::function<SaveChangesAnswer(const SaveChangesRequest &)> interceptor);
