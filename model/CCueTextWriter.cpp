#include "model/CCueTextWriter.h"

#include "model/CCueCdText.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCueCatalog.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "model/CCueUnknown.h"
#include "model/CueLineText.h"

bool CCueTextWriter::WriteKeywordLine(const CCueItem& item, int depth, std::string& out)
{
    const std::size_t lineStart = out.size();
    AppendIndent(depth, out);
    ts::AppendItemText(item, out);
    WriteEndOfLineComment(item, out.size() - lineStart, out);
    out += '\n';
    return true;
}

bool CCueTextWriter::WriteFile(const CCueFile& item, int depth, std::string& out)
{
    // A file not named yet (tracks read before any FILE line) writes no
    // line, so the sheet saves as it came.
    if (item.Name().empty())
        return true;
    return WriteKeywordLine(item, depth, out);
}
bool CCueTextWriter::WriteTrack(const CCueTrack& item, int depth, std::string& out) { return WriteKeywordLine(item, depth, out); }
bool CCueTextWriter::WriteIndex(const CCueIndex& item, int depth, std::string& out) { return WriteKeywordLine(item, depth, out); }
bool CCueTextWriter::WritePostgap(const CCuePostgap& item, int depth, std::string& out) { return WriteKeywordLine(item, depth, out); }
bool CCueTextWriter::WritePregap(const CCuePregap& item, int depth, std::string& out) { return WriteKeywordLine(item, depth, out); }
bool CCueTextWriter::WriteIsrc(const CCueIsrc& item, int depth, std::string& out) { return WriteKeywordLine(item, depth, out); }
bool CCueTextWriter::WriteFlags(const CCueFlags& item, int depth, std::string& out) { return WriteKeywordLine(item, depth, out); }
bool CCueTextWriter::WriteCatalog(const CCueCatalog& item, int depth, std::string& out) { return WriteKeywordLine(item, depth, out); }

bool CCueTextWriter::WriteCdText(const CCueCdText& item, int depth, std::string& out) { return WriteKeywordLine(item, depth, out); }

bool CCueTextWriter::WriteUnknown(const CCueUnknown& item, int, std::string& out)
{
    out += item.Text();
    out += '\n';
    return true;
}

bool CCueTextWriter::WriteComment(const CCueComment& item, int depth, std::string& out)
{
    AppendIndent(depth, out);
    out += item.Comment();
    out += '\n';
    return true;
}
