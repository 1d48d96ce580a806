#pragma once

#include "platform/CCmdTarget.h"
#include "platform/CPrompts.h"

#include <functional>
#include <string>
#include <vector>

class CDocument;

// Something that shows a document and is told when it changes.
class CView
{
public:
    virtual ~CView();
    // hint: what changed (for the cue document, the item to put the caret
    // on), or null for "everything".
    virtual void OnUpdate(CView* sender, const void* hint) = 0;
};

// The document side of our small document/view framework: the modified
// flag, the path and title, the registered views, and the new, open and
// save flows of a single-document program with their prompts. The window
// that offers Save and Save As runs them through DoFileSave and DoSave.
class CDocument : public CCmdTarget
{
public:
    CDocument();
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    bool IsModified() const { return m_modified; }
    // Grows whenever the document's contents are replaced by New or Open.
    unsigned Generation() const { return m_generation; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }

    const std::string& PathName() const { return m_pathName; }
    // Sets the path and takes the title from its file name; the path
    // listener hears of it (the recent-file list).
    void SetPathName(const std::string& path);
    void SetPathListener(std::function<void(const std::string& path)> listener) { m_pathListener = std::move(listener); }
    const std::string& Title() const { return m_title; }
    void SetTitle(const std::string& title) { m_title = title; }

    void AddView(CView* view);
    void RemoveView(CView* view);
    void UpdateAllViews(CView* sender, const void* hint = nullptr);

    // The overridable steps. The base open step checks that the file can be
    // read (reporting it when not), then empties the document and clears the
    // modified flag; the base new step empties the document.
    virtual bool OnNewDocument();
    virtual bool OnOpenDocument(const std::string& path);
    virtual bool OnSaveDocument(const std::string& path) = 0;
    virtual void DeleteContents() {}

    // The flows. Each asks through the current prompts.
    // New untitled document (after asking to save a modified one).
    bool NewDocument();
    // Open path as the document. On a failed read the previous sheet is
    // gone, so the document becomes a new untitled one. cancelled tells
    // whether the user kept the open sheet at the save question.
    bool OpenDocumentFile(const std::string& path, bool* cancelled = nullptr);
    // "Save changes to %1?" for a modified document: Yes saves, No
    // discards, Cancel (or a failed save) answers false.
    bool SaveModified();
    // Save to the document's path, or ask for one when untitled.
    bool DoFileSave();
    // Save to path; an empty path asks for one. A failure is reported.
    bool DoSave(const std::string& path);

    // The caption of the framework's own boxes.
    static const std::string& AppName();
    static void SetAppName(const std::string& name);

protected:
    // Title of an untitled document, and the save dialog's request.
    virtual std::string DefaultTitle() const { return "Untitled"; }
    virtual FileDialogRequest SaveAsRequest() const;
    // Why the last OnSaveDocument failed, for the report.
    void SetSaveError(const std::string& reason) { m_saveError = reason; }

private:
    void SetUntitled();

    bool m_modified = false;
    unsigned m_generation = 0;
    bool m_emptied = false; // the open step emptied the document
    std::string m_pathName;
    std::string m_title;
    std::string m_saveError;
    std::vector<CView*> m_views;
    std::function<void(const std::string&)> m_pathListener;
};
