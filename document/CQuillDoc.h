#pragma once

#include "model/CueTypes.h"
#include "model/ICueSheet.h"
#include "model/TextEncoding.h"
#include "platform/CDocument.h"

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CCueCatalog;
class CCueFile;
class CCueItem;
class CCueTrack;

// The open cue sheet: the root of the item tree, its files and catalog, and
// the line list (every item in display order, one per listing line). Every
// change of the tree goes through the change hook, which runs relayout:
// indexes, then tracks sorted by time and numbered, each file's first track
// starting at 00:00:00, the line list rebuilt.
class CQuillDoc final : public CDocument, public ICueSheet
{
public:
    using Placement = CuePlacement;

    // One top-level item (a FILE and its tracks, or a disc line) as a
    // snapshot holds it. While the live item stays as it was, the snapshot
    // reads the live item itself; just before the item first changes, or
    // goes, the document copies it here. So taking a snapshot copies
    // nothing, and an edit copies only what it changes. A copy never
    // changes, so snapshots share it.
    class HeldItem
    {
    public:
        const CCueItem& Item() const { return m_copy ? *m_copy : *m_live; }

    private:
        friend class CQuillDoc;
        std::unique_ptr<const CCueItem> m_copy;
        const CCueItem* m_live = nullptr; // while there is no copy
    };

    // The whole tree and the modified flag at one moment, held apart from
    // the document; what the undo history keeps. Snapshots share the held
    // item of every top-level item that did not change between them.
    struct Snapshot {
        std::vector<std::shared_ptr<HeldItem>> items;
        bool modified = false;
        std::size_t copied = 0; // lines this snapshot holds anew
    };

    CQuillDoc();
    ~CQuillDoc() override;
    CQuillDoc(const CQuillDoc&) = delete;
    CQuillDoc& operator=(const CQuillDoc&) = delete;

    int TopLevelCount() const override { return static_cast<int>(m_topLevel.size()); }
    CCueItem* TopLevelItem(int i) const override;
    int PositionOfTopLevel(const CCueItem* item) const;

    int FileCount() const { return static_cast<int>(m_files.size()); }
    CCueFile* File(int i) const override;
    int PositionOfFile(const CCueFile* file) const override;

    int LineCount() const { return static_cast<int>(m_lines.size()); }
    CCueItem* Line(int i) const;
    int LineOf(const CCueItem* item) const;

    CCueCatalog* Catalog() const { return m_catalog; }
    bool HasCatalog() const override { return m_catalog != nullptr; }
    // Exact, case-sensitive comparison with every FILE's name.
    bool HasFileNamed(const std::string& name) const;

    // Sets the modified flag to `modified`; with `relayout`, runs relayout
    // now, or once at the end of batch mode.
    void ChangeHook(bool modified, bool relayout) override;
    // The item's top-level item is about to change: a snapshot that still
    // reads it live gets its copy now, and the document forgets it.
    void ItemChanging(const CCueItem& item) override;
    // Counts the changes of the tree (change hook calls that mark the
    // document modified); a command that leaves it alone changed nothing.
    unsigned long ChangeCount() const { return m_changeCount; }
    void BeginBatchMode() override;
    void EndBatchMode() override;

    void InsertTopLevel(std::unique_ptr<CCueItem> item, CCueItem* before) override;
    void RemoveTopLevel(CCueItem* item);
    // Adds a FILE for the path, with one track and INDEX 01 at 00:00:00,
    // named as NameForPath says (by its 8.3 alias where the file system
    // has them). Null when the name is already in the sheet, or when it is
    // one no sheet can hold (or has no short form), which is reported.
    CCueFile* InsertFileByPath(const std::string& path, CCueItem* before);
    // The name a FILE line gets for a path: relative to the sheet's folder
    // when the file lies in it or below it, else the path itself.
    std::string NameForPath(const std::string& path) const;

    Placement PlacementQuery(ItemKind kind, CCueItem* anchor) const override;
    bool CanInsert(ItemKind kind, CCueItem* anchor) const { return PlacementQuery(kind, anchor).allowed; }

    // Copies nothing: top-level items unchanged since the last snapshot
    // taken or restored share its held item, the others are held live
    // until they change.
    Snapshot TakeSnapshot() const;
    // Puts the snapshot's tree in place of the current one and restores its
    // modified flag. Top-level items that equal their held item in the
    // snapshot stay as they are; the others are copied from it.
    void RestoreSnapshot(const Snapshot& snapshot);

    // The file dialog filters for cue sheets, for Open and Save As.
    static std::vector<std::pair<std::string, std::string>> SheetFilters();

    // The sheet as saved, with "\n" line ends.
    std::string SheetText() const;
    // The bytes Save writes: the sheet text with CR LF line ends, stored as
    // the file the sheet came from stored it (mark and wide form kept).
    std::string SaveBytes() const;

    // How the sheet's file stores its text, and which character set its
    // bytes are shown in. A new sheet is UTF-8 without a mark.
    const ts::SheetEncoding& Encoding() const { return m_encoding; }
    // Shows the bytes in another character set; the bytes stay as they
    // are, so the sheet is not modified. Only 8-bit sheets have a choice.
    void SetCharset(const std::string& charset);
    // Told the encoding of a file being opened as soon as it is known,
    // before the read shows its messages.
    void SetEncodingListener(std::function<void(const ts::SheetEncoding&)> listener)
    {
        m_encodingListener = std::move(listener);
    }
    // Turns a file name from the file system (UTF-8) into the sheet's
    // character set; false when the set cannot hold it. Without one, names
    // go in as they are.
    using NameEncoder = std::function<bool(const std::string& utf8, std::string& bytes)>;
    void SetNameEncoder(NameEncoder encoder) { m_nameEncoder = std::move(encoder); }

    bool OnNewDocument() override;
    bool OnOpenDocument(const std::string& path) override;
    bool OnSaveDocument(const std::string& path) override;
    void DeleteContents() override;

protected:
    std::string DefaultTitle() const override { return "Untitled cuesheet"; }
    FileDialogRequest SaveAsRequest() const override;

private:
    void Relayout();
    // A file's first track starts at 00:00:00.
    static void StartAtZero(CCueFile& file);
    // Numbers the indexes of every track whose lines stand in a file that
    // relayout sorted (flagged by position in m_files).
    void NumberIndexes(const std::vector<char>& sorted);
    void LayOut(CCueItem* item, std::vector<CCueItem*>& lines);
    // Before a top-level item changes or is destroyed: a snapshot that
    // reads it live gets its copy, and the document forgets its held item.
    void KeepForSnapshots(const CCueItem* item);
    // The same for every top-level item, before the tree is emptied.
    void KeepAllForSnapshots();

    // What relayout made of a top-level item, kept while the item does not
    // change: a FILE with the same track number and track before it needs
    // no sorting, and its lines stand as they stood.
    struct LaidOut {
        int firstNumber = 0;    // the number its first track was given
        int previousNumber = 0; // the number of the track before it, -1 for none
        int nextNumber = 0;     // the number after its last track
        std::size_t lineStart = 0;
        std::size_t lineCount = 0;
    };

    std::vector<std::unique_ptr<CCueItem>> m_topLevel;
    CCueCatalog* m_catalog = nullptr;
    std::vector<CCueFile*> m_files;
    std::vector<CCueItem*> m_lines;
    // For each top-level item unchanged since the last snapshot taken or
    // restored, its held item in that snapshot.
    mutable std::unordered_map<const CCueItem*, std::shared_ptr<HeldItem>> m_copies;
    // For each top-level item unchanged since the last relayout, what it
    // made of it; m_laidLines is the line list that relayout made.
    std::unordered_map<const CCueItem*, LaidOut> m_laidOut;
    std::vector<CCueItem*> m_laidLines;
    bool m_batchMode = false;
    bool m_relayoutPending = false;
    bool m_relayoutRunning = false;
    unsigned long m_changeCount = 0;
    ts::SheetEncoding m_encoding;
    std::function<void(const ts::SheetEncoding&)> m_encodingListener;
    NameEncoder m_nameEncoder;
};
