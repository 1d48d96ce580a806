#pragma once

class CCueItem;
class CCueLineSource;
class ICueSheet;

// Reads cue sheet text into a sheet: a whole file into an empty sheet,
// or pasted text into the open sheet before an anchor item. Checks the
// structure (a TRACK needs a FILE, the per-track lines need a TRACK, one
// CATALOG, one PREGAP, POSTGAP, ISRC and FLAGS per track) and reports each
// problem in a box that names the line.
class CCueReader
{
public:
    // The first new item, or null when the read failed or added nothing.
    static CCueItem* Read(CCueLineSource& source, ICueSheet& sheet, CCueItem* anchor);
};
