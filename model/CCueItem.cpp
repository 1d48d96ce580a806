#include "model/CCueItem.h"

#include "model/CCueLine.h"
#include "model/TextUtil.h"

#include <algorithm>

CCueItem::CCueItem(ICueChangeSink* sink, ItemKind kind)
    : m_kind(kind)
    , m_sink(sink)
{
}

CCueItem::~CCueItem() = default;

bool CCueItem::SetComment(const std::string& text)
{
    if (text == m_comment)
        return false;
    WillChange();
    m_comment.clear();
    if (text.empty()) {
        NotifyChanged(false);
        return true;
    }
    // The reader takes a tab outside double quotes for a blank, so a tab
    // is written as one: the comment then reads back as it was set.
    std::string typed = text;
    for (char& c : typed) {
        if (c == '\t')
            c = ' ';
    }
    // On a keyword line only a ";" starts the comment, so "REM x" typed
    // there is kept behind one; a comment line may start with REM.
    const std::string_view firstWord = std::string_view(typed).substr(0, typed.find(' '));
    if (typed[0] == ';' || (m_kind == ItemKind::Comment && ts::EqualsNoCase(firstWord, "REM")))
        m_comment = std::move(typed);
    else
        m_comment = "; " + typed;
    NotifyChanged(false);
    return true;
}

CCueItem* CCueItem::Child(int i) const
{
    if (i < 0 || i >= ChildCount())
        return nullptr;
    return m_children[static_cast<std::size_t>(i)].get();
}

int CCueItem::PositionOf(const CCueItem* item) const
{
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i].get() == item)
            return static_cast<int>(i);
    }
    return -1;
}

bool CCueItem::Parse(const CCueLine& line, CueMessages&)
{
    TakeLineComment(line);
    return true;
}

CCueFile* CCueItem::OwningFile() const
{
    for (const CCueItem* item = this; item; item = item->m_parent) {
        if (item->Kind() == ItemKind::File)
            return item->OwningFile();
    }
    return nullptr;
}

CCueTrack* CCueItem::OwningTrack() const
{
    for (const CCueItem* item = this; item; item = item->m_parent) {
        if (item->Kind() == ItemKind::Track)
            return item->OwningTrack();
    }
    return nullptr;
}

bool CCueItem::InsertChild(std::unique_ptr<CCueItem> child, CCueItem* before)
{
    WillChange();
    child->m_parent = this;
    const int at = before ? PositionOf(before) : -1;
    if (at < 0)
        m_children.push_back(std::move(child));
    else
        m_children.insert(m_children.begin() + at, std::move(child));
    NotifyChanged(true);
    return true;
}

bool CCueItem::RemoveChild(CCueItem* child)
{
    const int at = PositionOf(child);
    WillChange();
    if (at >= 0) {
        // Keep the item alive until it is out of the list, so that its
        // destructor never sees itself still linked.
        std::unique_ptr<CCueItem> gone = std::move(m_children[static_cast<std::size_t>(at)]);
        m_children.erase(m_children.begin() + at);
    }
    NotifyChanged(true);
    return true;
}

std::unique_ptr<CCueItem> CCueItem::Clone(CCueFile* file, CCueTrack* track) const
{
    auto copy = std::make_unique<CCueItem>(nullptr, m_kind);
    CloneInto(*copy, file, track);
    return copy;
}

void CCueItem::CloneInto(CCueItem& copy, CCueFile* file, CCueTrack* track) const
{
    copy.m_comment = m_comment;
    for (const auto& child : m_children)
        copy.InsertChild(child->Clone(file, track), nullptr);
}

void CCueItem::BindSink(ICueChangeSink* sink)
{
    m_sink = sink;
    for (const auto& child : m_children)
        child->BindSink(sink);
}

void CCueItem::WillChange() const
{
    if (m_sink)
        m_sink->ItemChanging(*this);
}

void CCueItem::NotifyChanged(bool relayout) const
{
    if (m_sink)
        m_sink->ChangeHook(true, relayout);
}

void CCueItem::TakeLineComment(const CCueLine& line)
{
    std::string_view text;
    if (line.CommentText(text))
        m_comment.assign(text);
}

void CCueItem::ExchangeSortChildren(std::vector<std::int64_t>& keys)
{
    const std::size_t n = keys.size();
    // Nothing moves when the compared keys are already in order, which is
    // the usual case; this keeps relayout linear on sorted sheets.
    std::int64_t last = -1;
    bool sorted = true;
    for (std::int64_t k : keys) {
        if (k < 0)
            continue;
        if (k < last) {
            sorted = false;
            break;
        }
        last = k;
    }
    if (sorted)
        return;
    WillChange();
    for (std::size_t i = 0; i + 1 < n; ++i) {
        if (keys[i] < 0)
            continue;
        for (std::size_t j = i + 1; j < n; ++j) {
            if (keys[j] >= 0 && keys[i] > keys[j]) {
                std::swap(keys[i], keys[j]);
                std::swap(m_children[i], m_children[j]);
            }
        }
    }
}
