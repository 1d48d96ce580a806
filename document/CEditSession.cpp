#include "document/CEditSession.h"

#include "document/CUtf8Codec.h"
#include "model/CCueItem.h"

#include <algorithm>

namespace {

// Wraps the shared UTF-8 codec, for sessions without a factory.
class CSharedUtf8 final : public ISheetCodec
{
public:
    const std::string& Charset() const override { return CUtf8Codec::Instance().Charset(); }
    bool IsUtf8() const override { return true; }
    std::string ToUtf8(std::string_view bytes) const override { return CUtf8Codec::Instance().ToUtf8(bytes); }
    bool FromUtf8(std::string_view utf8, std::string& bytes) const override
    {
        return CUtf8Codec::Instance().FromUtf8(utf8, bytes);
    }
};

} // namespace

CEditSession::CEditSession(CodecFactory codecs)
    : m_codecs(std::move(codecs))
    , m_doc(std::make_unique<CQuillDoc>())
    , m_editor(*m_doc)
{
    UseCharset(m_doc->Encoding().charset);
    m_doc->AddView(this);
    // The messages of a read quote the sheet in its own character set, so
    // the codec follows the file as soon as its encoding is known.
    m_doc->SetEncodingListener([this](const ts::SheetEncoding& encoding) { UseCharset(encoding.charset); });
    // Added files are named in the sheet's character set.
    m_doc->SetNameEncoder([this](const std::string& utf8, std::string& bytes) { return m_codec->FromUtf8(utf8, bytes); });
}

CEditSession::~CEditSession()
{
    m_doc->SetEncodingListener(nullptr);
    m_doc->SetNameEncoder(nullptr);
    m_doc->RemoveView(this);
}

void CEditSession::AddView(ISessionView& view)
{
    if (std::find(m_views.begin(), m_views.end(), &view) == m_views.end())
        m_views.push_back(&view);
}

void CEditSession::RemoveView(ISessionView& view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), &view), m_views.end());
}

CCueItem* CEditSession::CurrentItem() const
{
    return m_doc->Line(m_currentLine);
}

void CEditSession::SetCurrentLine(int line, ISessionView* source)
{
    line = std::clamp(line, 0, m_doc->LineCount());
    if (line == m_currentLine)
        return;
    m_currentLine = line;
    // A copy: a view may leave (or another join) while it hears the news.
    const std::vector<ISessionView*> views = m_views;
    for (ISessionView* view : views) {
        if (view != source)
            view->OnCurrentChanged();
    }
}

void CEditSession::SetCurrentItem(const CCueItem* item, ISessionView* source)
{
    const int line = item ? m_doc->LineOf(item) : -1;
    if (line >= 0)
        SetCurrentLine(line, source);
}

bool CEditSession::Apply(const Change& change, bool notifyUnchanged)
{
    const unsigned long before = m_doc->ChangeCount();
    CUndoHistory::State state = CurrentState();
    CCueItem* hint = change(m_editor);
    const bool changed = m_doc->ChangeCount() != before;
    if (changed)
        m_history.Record(std::move(state));
    if (changed || notifyUnchanged)
        m_doc->UpdateAllViews(nullptr, hint);
    return changed;
}

bool CEditSession::Undo()
{
    CUndoHistory::State state = CurrentState();
    if (!m_history.Undo(state))
        return false;
    m_doc->RestoreSnapshot(state.snapshot);
    m_doc->UpdateAllViews(nullptr, m_doc->Line(std::min(state.line, m_doc->LineCount() - 1)));
    return true;
}

bool CEditSession::Redo()
{
    CUndoHistory::State state = CurrentState();
    if (!m_history.Redo(state))
        return false;
    m_doc->RestoreSnapshot(state.snapshot);
    m_doc->UpdateAllViews(nullptr, m_doc->Line(std::min(state.line, m_doc->LineCount() - 1)));
    return true;
}

CUndoHistory::State CEditSession::CurrentState() const
{
    CUndoHistory::State state{m_doc->TakeSnapshot(), m_currentLine, 0};
    state.items = state.snapshot.copied;
    return state;
}

void CEditSession::SetCharset(const std::string& charset)
{
    if (charset == m_doc->Encoding().charset)
        return;
    m_doc->SetCharset(charset);
    m_doc->UpdateAllViews(nullptr, CurrentItem());
}

void CEditSession::OnUpdate(CView*, const void* hint)
{
    // New and Open replace the sheet: a new history, shown from the top.
    const bool fresh = m_doc->Generation() != m_generation;
    if (fresh) {
        m_generation = m_doc->Generation();
        m_history.Clear();
    }
    UseCharset(m_doc->Encoding().charset);
    const auto* item = static_cast<const CCueItem*>(hint);
    const int line = item ? m_doc->LineOf(item) : 0;
    // An item the change left out of the sheet keeps the current line.
    m_currentLine = std::clamp(line >= 0 ? line : m_currentLine, 0, m_doc->LineCount());
    NotifyChanged(fresh);
}

void CEditSession::UseCharset(const std::string& charset)
{
    if (m_codec && m_codec->Charset() == charset)
        return;
    std::unique_ptr<ISheetCodec> codec = m_codecs ? m_codecs(charset) : nullptr;
    m_codec = codec ? std::move(codec) : std::make_unique<CSharedUtf8>();
}

void CEditSession::NotifyChanged(bool fresh)
{
    const std::vector<ISessionView*> views = m_views;
    for (ISessionView* view : views)
        view->OnSheetChanged({fresh});
}
