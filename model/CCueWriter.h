#pragma once

#include <cstddef>
#include <string>

class CCueCatalog;
class CCueCdText;
class CCueComment;
class CCueFile;
class CCueFlags;
class CCueIndex;
class CCueIsrc;
class CCueItem;
class CCuePostgap;
class CCuePregap;
class CCueTrack;
class CCueUnknown;
class ICueSheet;

// Walks a sheet in line order and has each line written by a concrete
// writer: the plain cue sheet text, or the coloured listing. The walk, the
// depths and the end-of-line comment rule live here; the writers decide the
// text of each line, the indentation and the comment column.
class CCueWriter
{
public:
    virtual ~CCueWriter();

    // Empties out, then writes every line of the sheet into it.
    bool WriteDocument(const ICueSheet& sheet, std::string& out);

protected:
    // Whether a free line (comment, CD-TEXT, unknown) is written at the
    // depth where it reads back (in the last track before it) rather than
    // where it hangs: true for the text a sheet is saved as.
    virtual bool FreeLinesWhereRead() const { return false; }
    virtual void Begin(std::string& out) = 0;
    virtual void End(std::string& out) = 0;
    virtual bool WriteFile(const CCueFile& item, int depth, std::string& out) = 0;
    virtual bool WriteTrack(const CCueTrack& item, int depth, std::string& out) = 0;
    virtual bool WriteIndex(const CCueIndex& item, int depth, std::string& out) = 0;
    virtual bool WritePostgap(const CCuePostgap& item, int depth, std::string& out) = 0;
    virtual bool WritePregap(const CCuePregap& item, int depth, std::string& out) = 0;
    virtual bool WriteIsrc(const CCueIsrc& item, int depth, std::string& out) = 0;
    virtual bool WriteFlags(const CCueFlags& item, int depth, std::string& out) = 0;
    virtual bool WriteCatalog(const CCueCatalog& item, int depth, std::string& out) = 0;
    virtual bool WriteComment(const CCueComment& item, int depth, std::string& out) = 0;
    virtual bool WriteCdText(const CCueCdText& item, int depth, std::string& out) = 0;
    virtual bool WriteUnknown(const CCueUnknown& item, int depth, std::string& out) = 0;
    virtual int IndentWidth(int depth) const = 0;
    virtual int CommentColumn() const = 0;
    // Pads the line to the comment column (two blanks past it when the line
    // is longer) and appends the item's comment, if it has one.
    virtual void WriteEndOfLineComment(const CCueItem& item, std::size_t length, std::string& line);

    // The indentation of a line at depth: nothing at depth 0, otherwise
    // IndentWidth blanks but never fewer than one.
    void AppendIndent(int depth, std::string& out) const;

private:
    void WriteItem(const CCueItem& item, int depth, std::string& out);
};
