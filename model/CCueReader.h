#pragma once

#include "model/CCueMessage.h"

#include <optional>

class CCueItem;
class CCueLineSource;
class ICueSheet;

// What a read gives: its first new item and its messages.
struct CueReadResult {
    // The first new item, or null when the read failed or added nothing.
    CCueItem* first = nullptr;
    // The warnings and field errors, in the order read; also the refusal
    // of a source that is no cue sheet or does not fit where it goes.
    CueMessages messages;
    // The error that stopped the read part way, or the source that could
    // not be read at all.
    std::optional<CCueMessage> stop;
};

// Reads cue sheet text into a sheet: a whole file into an empty sheet,
// or pasted text into the open sheet before an anchor item. Checks the
// structure (a TRACK needs a FILE, the per-track lines need a TRACK, one
// CATALOG, one PREGAP, POSTGAP, ISRC and FLAGS per track) and returns each
// problem with the line it names. Each read keeps its own state, so
// different sheets can be read at the same time.
class CCueReader
{
public:
    static CueReadResult Read(CCueLineSource& source, ICueSheet& sheet, CCueItem* anchor);
};
