#include "platform/document.h"

#include "platform/doc_template.h"
#include "platform/recent_file_list.h"
#include "platform/view.h"

#include <QFileInfo>

#include <algorithm>

namespace
{

constexpr char TITLE_SEPARATOR[] = " - ";

} // namespace

CDocument::~CDocument()
{
    for (CView *view : m_views)
        view->m_document = nullptr;
}

void CDocument::SetPathName(const QString &path, bool addToRecentFiles)
{
    if (path.isEmpty()) {
        m_pathName.clear();
        SetTitle(UntitledName());
        return;
    }
    const QFileInfo file(path);
    m_pathName = file.absoluteFilePath();
    SetTitle(file.fileName());
    if (addToRecentFiles)
        AddToRecentFileList(m_pathName);
}

void CDocument::SetTitle(const QString &title)
{
    m_title = title;
    UpdateFrameTitles();
}

QString CDocument::GetFrameTitle() const
{
    if (!m_docTemplate)
        return m_title;
    return m_title + QLatin1String(TITLE_SEPARATOR) + m_docTemplate->GetDocString(CDocTemplate::windowTitle);
}

void CDocument::UpdateFrameTitles() const
{
    const QString caption = GetFrameTitle();
    for (CView *view : m_views)
        view->window()->setWindowTitle(caption);
}

void CDocument::AddView(CView *view)
{
    if (view->m_document)
        view->m_document->RemoveView(view);
    m_views.push_back(view);
    view->m_document = this;
    view->window()->setWindowTitle(GetFrameTitle());
}

void CDocument::RemoveView(CView *view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    view->m_document = nullptr;
}

void CDocument::UpdateAllViews(CView *sender, int hint)
{
    // By index: this runs on every simulation tick and must not allocate.
    for (std::size_t i = 0; i < m_views.size(); ++i)
        if (m_views[i] != sender)
            m_views[i]->OnUpdate(sender, hint);
}

void CDocument::SendInitialUpdate()
{
    for (std::size_t i = 0; i < m_views.size(); ++i)
        m_views[i]->OnInitialUpdate();
}

bool CDocument::OnNewDocument()
{
    SetPathName(QString());
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument()
{
    for (std::size_t i = 0; i < m_views.size(); ++i)
        m_views[i]->window()->close();
}

QString CDocument::UntitledName() const
{
    return m_docTemplate ? m_docTemplate->GetDocString(CDocTemplate::docName) : QString();
}
