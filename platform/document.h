#pragma once

#include <QString>

#include <vector>

class CDocTemplate;
class CView;

// The data of the one document the application shows, in the framework's
// document/view style: a modified flag, the file it belongs to, its title and
// the views that show it. The document manager runs the file commands and
// calls the virtual operations below; the document does its own file work.
class CDocument
{
public:
    CDocument() = default;
    virtual ~CDocument();
    CDocument(const CDocument &) = delete;
    CDocument &operator=(const CDocument &) = delete;

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    // The file's absolute path, or empty for a document without a file.
    const QString &GetPathName() const { return m_pathName; }
    // Names the file (the title becomes its file name) and puts it at the top
    // of the recent-file list; an empty path leaves the document without a
    // file, under the template's document name.
    void SetPathName(const QString &path, bool addToRecentFiles = true);

    const QString &GetTitle() const { return m_title; }
    void SetTitle(const QString &title);
    // The main window's caption: the title, " - " and the template's window
    // title.
    QString GetFrameTitle() const;
    // Puts the caption on the windows of all views.
    void UpdateFrameTitles() const;

    void SetDocTemplate(const CDocTemplate *docTemplate) { m_docTemplate = docTemplate; }
    const CDocTemplate *GetDocTemplate() const { return m_docTemplate; }

    void AddView(CView *view);
    void RemoveView(CView *view);
    const std::vector<CView *> &GetViews() const { return m_views; }
    // Calls OnUpdate of every view except sender.
    void UpdateAllViews(CView *sender, int hint);
    void SendInitialUpdate();

    // Takes over what the views hold and have not yet given the document
    // (a value still being typed), so that the modified flag is up to date
    // before the user is asked whether to save.
    virtual void CommitPendingEdits() { }
    // Starts a document without a file; false stops the start.
    virtual bool OnNewDocument();
    // Loads the file; false when the document could not take it.
    virtual bool OnOpenDocument(const QString &path) = 0;
    // Writes the file; false when it was not saved.
    virtual bool OnSaveDocument(const QString &path) = 0;
    // Closes the windows of all views.
    virtual void OnCloseDocument();

private:
    QString UntitledName() const;

    bool m_modified = false;
    QString m_pathName;
    QString m_title;
    const CDocTemplate *m_docTemplate = nullptr;
    std::vector<CView *> m_views;
};
