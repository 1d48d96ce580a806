#pragma once

#include "document/CQuillDoc.h"
#include "document/CSheetEditor.h"
#include "document/CUndoHistory.h"
#include "document/ISheetCodec.h"
#include "document/ISessionView.h"
#include "platform/CDocument.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CCueItem;

// One editing session of a sheet: the document, its undo history, the
// sheet editor, the codec of the sheet's character set and the current
// item (the line the views put their caret on). Every view edits the sheet
// through Apply, Undo and Redo and moves the current item through
// SetCurrentLine, and hears of both through ISessionView; so any number of
// views stay in step without knowing of each other.
//
// The session is the document's one CView: New and Open, which the
// document runs itself, reach the views through it as a fresh sheet.
class CEditSession final : public CView
{
public:
    // Makes the codec for a character set; the session asks again whenever
    // the sheet's character set changes. Without one, every sheet is shown
    // as UTF-8.
    using CodecFactory = std::function<std::unique_ptr<ISheetCodec>(const std::string& charset)>;
    // A change of the tree, run by Apply: returns the item to make current
    // (null for the first line).
    using Change = std::function<CCueItem*(CSheetEditor& editor)>;

    explicit CEditSession(CodecFactory codecs = {});
    ~CEditSession() override;
    CEditSession(const CEditSession&) = delete;
    CEditSession& operator=(const CEditSession&) = delete;

    CQuillDoc& Doc() { return *m_doc; }
    const CQuillDoc& Doc() const { return *m_doc; }
    const CSheetEditor& Editor() const { return m_editor; }
    const CUndoHistory& History() const { return m_history; }
    // The codec of the sheet's character set; replaced when the set
    // changes, so holders keep the session, not the codec.
    const ISheetCodec& Codec() const { return *m_codec; }

    // Views hear of every change from their registration until removed.
    void AddView(ISessionView& view);
    void RemoveView(ISessionView& view);

    // The item on the current line; null on the place below the last line
    // (LineCount()), which a view may make current: no item is then.
    CCueItem* CurrentItem() const;
    int CurrentLine() const { return m_currentLine; }
    // Moves the current item to a line (clamped to 0..LineCount()). The other
    // views hear OnCurrentChanged; source (the view that moved it) does
    // not. Nothing happens when the line is already current.
    void SetCurrentLine(int line, ISessionView* source = nullptr);
    // The same for an item of the sheet; an item no longer in it is ignored.
    void SetCurrentItem(const CCueItem* item, ISessionView* source = nullptr);

    // Runs a change of the tree as one undo step and makes the item it
    // returns current. When the tree changed, or always with
    // notifyUnchanged, every view hears OnSheetChanged. Returns whether the
    // tree changed; a change that leaves it alone records no step.
    bool Apply(const Change& change, bool notifyUnchanged = true);
    bool Undo();
    bool Redo();
    // Shows the sheet's bytes in another character set; not an undo step,
    // and the sheet is not modified.
    void SetCharset(const std::string& charset);

    // The document's update: a fresh sheet after New or Open, else an
    // update with the item to make current as the hint.
    void OnUpdate(CView* sender, const void* hint) override;

private:
    // The sheet as it stands, as a step of the history.
    CUndoHistory::State CurrentState() const;
    void UseCharset(const std::string& charset);
    void NotifyChanged(bool fresh);

    CodecFactory m_codecs;
    std::unique_ptr<ISheetCodec> m_codec;
    std::unique_ptr<CQuillDoc> m_doc;
    CSheetEditor m_editor;
    CUndoHistory m_history;
    std::vector<ISessionView*> m_views;
    int m_currentLine = 0;
    unsigned m_generation = 0;
};
