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

bool CCueWriter::WriteDocument(const ICueSheet& sheet, std::string& out)
{
    out.clear();
    Begin(out);
    for (int i = 0; i < sheet.TopLevelCount(); ++i)
        WriteItem(*sheet.TopLevelItem(i), 0, out);
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
            for (int i = 0; i < item.ChildCount(); ++i)
                WriteItem(*item.Child(i), 1, out);
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
