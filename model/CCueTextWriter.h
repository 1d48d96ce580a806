#pragma once

#include "model/CCueWriter.h"

// Writes the plain cue sheet text that is saved: two blanks of indentation
// per level, end-of-line comments from column 33, "\n" line ends.
class CCueTextWriter final : public CCueWriter
{
protected:
    bool FreeLinesWhereRead() const override { return true; }
    void Begin(std::string&) override {}
    void End(std::string&) override {}
    bool WriteFile(const CCueFile& item, int depth, std::string& out) override;
    bool WriteTrack(const CCueTrack& item, int depth, std::string& out) override;
    bool WriteIndex(const CCueIndex& item, int depth, std::string& out) override;
    bool WritePostgap(const CCuePostgap& item, int depth, std::string& out) override;
    bool WritePregap(const CCuePregap& item, int depth, std::string& out) override;
    bool WriteIsrc(const CCueIsrc& item, int depth, std::string& out) override;
    bool WriteFlags(const CCueFlags& item, int depth, std::string& out) override;
    bool WriteCatalog(const CCueCatalog& item, int depth, std::string& out) override;
    bool WriteComment(const CCueComment& item, int depth, std::string& out) override;
    bool WriteCdText(const CCueCdText& item, int depth, std::string& out) override;
    // The line exactly as it was read, whatever its depth.
    bool WriteUnknown(const CCueUnknown& item, int depth, std::string& out) override;
    int IndentWidth(int depth) const override { return 2 * depth; }
    int CommentColumn() const override { return 33; }

private:
    bool WriteKeywordLine(const CCueItem& item, int depth, std::string& out);
};
