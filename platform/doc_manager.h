#pragma once

#include "platform/doc_template.h"

#include <QString>

class CDocument;
class CommandTable;
class QWidget;

// The framework's file commands for the one document of the application:
// New, Open, Save and Save As, with the file dialogs and the "save changes?"
// question before a modified document is replaced or the application closes.
class CDocManager
{
public:
    CDocManager(const QString &templateString, CDocument &document);

    const CDocTemplate &GetDocTemplate() const { return m_docTemplate; }
    // The window that owns the dialogs.
    void SetMainWindow(QWidget *window) { m_mainWindow = window; }

    // Commands 57601, 57603 and 57604.
    void RegisterCommands(CommandTable &commands);

    // Starts the document without a file; false when it refused to start.
    bool OnFileNew();
    void OnFileOpen();
    void OnFileSave();
    void OnFileSaveAs();

    // Opens the file in the document; false when the user kept the old one
    // or the document refused the file.
    bool OpenDocumentFile(const QString &path);
    // Asks whether a modified document is to be saved first: true when it was
    // saved or the user let the changes go, false to keep it as it is. The
    // main window asks this before it closes.
    bool SaveModified();

private:
    // Saves under path; with an empty path the user is asked for a name.
    // With rename, the document then belongs to the new file.
    bool DoSave(const QString &path, bool rename);
    bool DoFileSave();
    QString AskForFileName(bool open) const;
    // Where the file dialogs start: the folder of the document's file when
    // the user may write there, else the user's documents folder (or home);
    // never the installed examples.
    QString StartFolder() const;
    // The file name Save As proposes, without its folder.
    QString ProposedSaveName() const;

    CDocTemplate m_docTemplate;
    CDocument &m_document;
    QWidget *m_mainWindow = nullptr;
};
