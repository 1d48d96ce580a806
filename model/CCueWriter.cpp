#include "model/CCueWriter.h"

#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueComment.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "model/CCueUnknown.h"
#include "model/ICueSheet.h"

CCueWriter::~CCueWriter() = default;

namespace {

bool IsFreeLine(const CCueItem& item)
{
    return item.Kind() == ItemKind::Comment || item.Kind() == ItemKind::CdText || item.Kind() == ItemKind::Unknown;
}

} // namespace

bool CCueWriter::WriteDocument(const ICueSheet& sheet, std::string& out)
{
    out.clear();
    Begin(out);
    // A free line (comment, CD-TEXT, unknown) after a FILE reads back as a
    // line of that file's last track, or of the file when it has none: it
    // is written where it will be read, so that the text reads back as
    // itself.
    int freeDepth = 0;
    for (int i = 0; i < sheet.TopLevelCount(); ++i) {
        const CCueItem& item = *sheet.TopLevelItem(i);
        WriteItem(item, FreeLinesWhereRead() && IsFreeLine(item) ? freeDepth : 0, out);
        if (item.Kind() == ItemKind::File)
            freeDepth = static_cast<const CCueFile&>(item).TrackCount() > 0 ? 2 : 1;
    }
    End(out);
    return true;
}

void CCueWriter::WriteItem(const CCueItem& item, int depth, std::string& out)
{
    // Which kinds are written at which depth: the sheet's structure.
    switch (item.Kind()) {
    case ItemKind::File:
        if (depth == 0) {
            WriteFile(static_cast<const CCueFile&>(item), depth, out);
            // After a TRACK, the file's free lines read back as the track's.
            bool afterTrack = false;
            for (int i = 0; i < item.ChildCount(); ++i) {
                const CCueItem& child = *item.Child(i);
                afterTrack = afterTrack || child.Kind() == ItemKind::Track;
                WriteItem(child, FreeLinesWhereRead() && afterTrack && IsFreeLine(child) ? 2 : 1, out);
            }
        }
        break;
    case ItemKind::Track:
        if (depth == 1) {
            // A continuation has no TRACK line: its lines follow the FILE.
            if (!static_cast<const CCueTrack&>(item).IsContinuation())
                WriteTrack(static_cast<const CCueTrack&>(item), depth, out);
            for (int i = 0; i < item.ChildCount(); ++i)
                WriteItem(*item.Child(i), 2, out);
        }
        break;
    case ItemKind::Comment:
        WriteComment(static_cast<const CCueComment&>(item), depth, out);
        break;
    case ItemKind::Catalog:
        if (depth == 0)
            WriteCatalog(static_cast<const CCueCatalog&>(item), depth, out);
        break;
    case ItemKind::Pregap:
        if (depth == 2)
            WritePregap(static_cast<const CCuePregap&>(item), depth, out);
        break;
    case ItemKind::Index:
        if (depth == 2)
            WriteIndex(static_cast<const CCueIndex&>(item), depth, out);
        break;
    case ItemKind::Postgap:
        if (depth == 2)
            WritePostgap(static_cast<const CCuePostgap&>(item), depth, out);
        break;
    case ItemKind::Isrc:
        if (depth == 2)
            WriteIsrc(static_cast<const CCueIsrc&>(item), depth, out);
        break;
    case ItemKind::Flags:
        if (depth == 2)
            WriteFlags(static_cast<const CCueFlags&>(item), depth, out);
        break;
    case ItemKind::CdText:
        WriteCdText(static_cast<const CCueCdText&>(item), depth, out);
        break;
    case ItemKind::Unknown:
        WriteUnknown(static_cast<const CCueUnknown&>(item), depth, out);
        break;
    case ItemKind::None:
        break;
    }
}

void CCueWriter::AppendIndent(int depth, std::string& out) const
{
    if (depth == 0)
        return;
    const int width = IndentWidth(depth);
    out.append(static_cast<std::size_t>(width > 1 ? width : 1), ' ');
}

void CCueWriter::WriteEndOfLineComment(const CCueItem& item, std::size_t length, std::string& line)
{
    if (!item.HasComment())
        return;
    const auto column = static_cast<std::size_t>(CommentColumn());
    const std::size_t blanks = length + 1 < column ? column - length - 1 : 2;
    line.append(blanks, ' ');
    line += item.Comment();
}
