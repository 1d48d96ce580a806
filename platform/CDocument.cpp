#include "platform/CDocument.h"

#include "platform/FileUtil.h"

#include <algorithm>

namespace {
std::string g_appName = "Tracksmith";
}

CView::~CView() = default;

CDocument::CDocument()
{
    SetUntitled();
}

CDocument::~CDocument() = default;

const std::string& CDocument::AppName() { return g_appName; }
void CDocument::SetAppName(const std::string& name) { g_appName = name; }

void CDocument::SetPathName(const std::string& path)
{
    m_pathName = path;
    m_title = ts::FileNameOf(path);
    if (m_pathListener)
        m_pathListener(path);
}

void CDocument::SetUntitled()
{
    m_pathName.clear();
    m_title = DefaultTitle();
}

void CDocument::AddView(CView* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDocument::RemoveView(CView* view)
{
    std::erase(m_views, view);
}

void CDocument::UpdateAllViews(CView* sender, const void* hint)
{
    // A view may unregister itself while being updated; walk a copy.
    const std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view != sender)
            view->OnUpdate(sender, hint);
    }
}

bool CDocument::OnNewDocument()
{
    ++m_generation;
    DeleteContents();
    m_modified = false;
    return true;
}

bool CDocument::OnOpenDocument(const std::string& path)
{
    std::string reason;
    if (!ts::CanReadFile(path, reason)) {
        ShowMessageBox("Cannot open \"" + path + "\": " + reason, "Error", PromptButtons::Ok,
                       PromptIcon::Error, true);
        return false;
    }
    ++m_generation;
    DeleteContents();
    m_modified = false;
    m_emptied = true;
    return true;
}

bool CDocument::NewDocument()
{
    if (!SaveModified())
        return false;
    SetUntitled();
    if (!OnNewDocument())
        return false;
    UpdateAllViews(nullptr);
    return true;
}

bool CDocument::OpenDocumentFile(const std::string& path, bool* cancelled)
{
    const bool keep = !SaveModified();
    if (cancelled)
        *cancelled = keep;
    if (keep)
        return false;
    const bool wasModified = m_modified;
    m_modified = false;
    m_emptied = false;
    if (!OnOpenDocument(path)) {
        if (m_emptied) {
            // The open step emptied the document before the read failed.
            // Keeping the old title over an empty sheet would let Save
            // overwrite the old file with nothing, so start a new sheet.
            SetUntitled();
            OnNewDocument();
        } else {
            m_modified = wasModified; // untouched
        }
        UpdateAllViews(nullptr);
        return false;
    }
    SetPathName(path);
    UpdateAllViews(nullptr);
    return true;
}

bool CDocument::SaveModified()
{
    if (!m_modified)
        return true;
    const std::string& name = m_pathName.empty() ? m_title : m_pathName;
    switch (ShowMessageBox("Save changes to " + name + "?", AppName(), PromptButtons::YesNoCancel,
                           PromptIcon::Warning)) {
    case PromptAnswer::Yes:
        return DoFileSave();
    case PromptAnswer::No:
        return true;
    case PromptAnswer::Ok:
    case PromptAnswer::Cancel:
        break;
    }
    return false;
}

bool CDocument::DoFileSave()
{
    return DoSave(m_pathName);
}

FileDialogRequest CDocument::SaveAsRequest() const
{
    FileDialogRequest request;
    request.title = "Save As";
    request.fileName = m_pathName.empty() ? m_title : m_pathName;
    return request;
}

bool CDocument::DoSave(const std::string& path)
{
    std::string target = path;
    if (target.empty()) {
        const std::optional<std::string> chosen = CPrompts::Current().AskSaveFile(SaveAsRequest());
        if (!chosen || chosen->empty())
            return false;
        target = *chosen;
    }
    m_saveError.clear();
    if (!OnSaveDocument(target)) {
        ShowMessageBox("Cannot save \"" + target + "\": " + (m_saveError.empty() ? "unknown error" : m_saveError),
                       "Error", PromptButtons::Ok, PromptIcon::Error, true);
        return false;
    }
    SetPathName(target);
    return true;
}
