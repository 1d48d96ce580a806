#pragma once

#include "model/CCueReader.h"
#include "model/CCueTime.h"
#include "model/CueTypes.h"

#include <optional>

#include <string>

class CCueItem;
class CQuillDoc;

// The editing commands on a sheet, relative to the current item: insert an
// item of a kind with its default contents, add a file by path, delete an
// item with its block, and paste text. Each returns the item the view
// should make current afterwards.
class CSheetEditor
{
public:
    explicit CSheetEditor(CQuillDoc& doc);

    // Whether the insert command of a kind is enabled at the current item.
    bool CanInsert(ItemKind kind, CCueItem* current) const;
    // Inserts an item of kind (not FILE) with its defaults; tracks and
    // indexes take the time `at` (the play position, or a clicked point of
    // the wave) where it fits, else a time from their neighbours. Null when
    // the kind cannot go there.
    CCueItem* Insert(ItemKind kind, CCueItem* current, std::optional<CCueTime> at = std::nullopt);

    // Adds a FILE for path before the current item's file, after the CD
    // audio warning for ".cda" files. stop is set when the user declined
    // it. The new FILE, or null when nothing was added.
    CCueItem* AddPath(const std::string& path, CCueItem* current, bool& stop);

    // A FILE keeps one TRACK, a TRACK keeps an INDEX 01 or higher; INDEX 00
    // can always go.
    static bool CanDelete(const CCueItem* item);
    // Removes the item and its block; returns the item now at line, else
    // the one above.
    CCueItem* Delete(CCueItem* item, int line);

    // Reads text into the sheet at the current item, as the reader does:
    // the first item read (or null) and the read's messages.
    CueReadResult Paste(const std::string& text, CCueItem* current);

    static constexpr const char* kNewComment = "New comment ... double-click to change";
    static constexpr const char* kNewTitle = "New title ... double-click to change";

private:
    CCueItem* InsertTrack(CCueItem* current, std::optional<CCueTime> at);
    CCueItem* InsertIndex(CCueItem* current, std::optional<CCueTime> at);

    CQuillDoc& m_doc;
};
