#pragma once

#include "model/CCueMessage.h"
#include "model/CueTypes.h"
#include "model/ICueChangeSink.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCueFile;
class CCueLine;
class CCueTrack;

// One line of a cue sheet. An item owns its children (the lines that belong
// to it, in sheet order); every back pointer is non-owning. Setters return
// whether the value changed and tell the sheet through its change sink.
class CCueItem
{
public:
    explicit CCueItem(ICueChangeSink* sink, ItemKind kind = ItemKind::None);
    virtual ~CCueItem();
    CCueItem(const CCueItem&) = delete;
    CCueItem& operator=(const CCueItem&) = delete;

    ItemKind Kind() const { return m_kind; }
    ICueChangeSink* Sink() const { return m_sink; }

    const std::string& Comment() const { return m_comment; }
    bool HasComment() const { return !m_comment.empty(); }
    // Stores text as a comment: "; " is put in front unless it already
    // starts with ";" or the word REM.
    bool SetComment(const std::string& text);

    int ChildCount() const { return static_cast<int>(m_children.size()); }
    CCueItem* Child(int i) const;
    int PositionOf(const CCueItem* item) const;

    // Fills the item from a tokenized line; a bad field is added to
    // messages, naming the line.
    virtual bool Parse(const CCueLine& line, CueMessages& messages);
    // Inserts child before `before`, or appends it when `before` is not a child.
    virtual bool InsertChild(std::unique_ptr<CCueItem> child, CCueItem* before);
    // Takes child out of the children and destroys it.
    virtual bool RemoveChild(CCueItem* child);
    // The item it hangs in; null at the top level and outside the tree.
    CCueItem* Parent() const { return m_parent; }
    // The FILE and TRACK the item hangs in (or is), from where it hangs.
    virtual CCueFile* OwningFile() const;
    virtual CCueTrack* OwningTrack() const;

    // A copy of the item and its subtree that belongs to no document, for
    // the undo history. file and track are the copy's new owners.
    virtual std::unique_ptr<CCueItem> Clone(CCueFile* file, CCueTrack* track) const;
    // Makes the item and its subtree report to sink.
    void BindSink(ICueChangeSink* sink);

protected:
    // Copies the comment and clones every child into copy.
    void CloneInto(CCueItem& copy, CCueFile* file, CCueTrack* track) const;
    // Called before every change of the item's value, children or their
    // order (relayout's own sorting and marks too), before anything of it
    // is touched.
    void WillChange() const;
    // Called after a change of the sheet: a plain change, or one that needs
    // the layout rebuilt.
    void NotifyChanged(bool relayout) const;
    // Takes the line's end-of-line comment, when it has one.
    void TakeLineComment(const CCueLine& line);
    // Orders the children of one kind by a key with an exchange sort: for each
    // position i, every later child that sorts before it is swapped in. Keys
    // below 0 mark children that are never compared; other kinds stay put.
    void ExchangeSortChildren(std::vector<std::int64_t>& keys);

    std::string m_comment;
    std::vector<std::unique_ptr<CCueItem>> m_children;

private:
    ItemKind m_kind;
    ICueChangeSink* m_sink;
    CCueItem* m_parent = nullptr;
};
