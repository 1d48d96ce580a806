#include "model/CCueRichWriter.h"

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
#include "model/CueLineText.h"
#include "model/TextEncoding.h"
#include "model/TextUtil.h"

#include <iterator>

void CCueRichWriter::AppendEscaped(std::string_view text, std::string& out)
{
    for (char c : text) {
        if (c == '\\' || c == '{' || c == '}')
            out += '\\';
        out += c;
    }
}

void CCueRichWriter::Begin(std::string& out) { out += kHeader; }
void CCueRichWriter::End(std::string& out) { out += kTrailer; }

int CCueRichWriter::IndentWidth(int depth) const
{
    switch (depth) {
    case 1:
        return 5;
    case 2:
        return 14;
    default:
        return 0;
    }
}

bool CCueRichWriter::WriteKeywordLine(const CCueItem& item, int depth, const std::string& styled, std::string& out)
{
    const std::size_t start = out.size();
    AppendIndent(depth, out);
    const std::size_t indent = out.size() - start;
    out += styled;

    // The shown length: measured on the plain, unescaped text, in the
    // characters the reader will show for this paragraph.
    std::string plain;
    ts::AppendItemText(item, plain);
    const bool utf8 = ts::IsValidUtf8(plain) && ts::IsValidUtf8(item.Comment());
    WriteEndOfLineComment(item, indent + ts::ShownLength(plain, utf8), out);

    out += '\n';
    out += kParagraphEnd;
    return true;
}

void CCueRichWriter::WriteEndOfLineComment(const CCueItem& item, std::size_t length, std::string& line)
{
    if (!item.HasComment())
        return;
    const auto column = static_cast<std::size_t>(CommentColumn());
    const std::size_t blanks = length + 1 < column ? column - length - 1 : 2;
    line.append(blanks, ' ');
    line += kCommentStyle;
    AppendEscaped(item.Comment(), line);
    line += kPlainStyle;
}

bool CCueRichWriter::WriteFile(const CCueFile& item, int depth, std::string& out)
{
    // A file not named yet shows greyed; the text writer writes nothing.
    if (item.Name().empty())
        return WriteKeywordLine(item, depth, std::string(kUnknownStyle) + "FILE (not named yet)" + std::string(kPlainStyle), out);
    std::string name;
    ts::AppendFileName(item, name);
    std::string styled(kFileStyle);
    styled += "FILE ";
    AppendEscaped(name, styled);
    styled += kPlainStyle;
    if (!item.TypeText().empty()) {
        styled += ' ';
        AppendEscaped(item.TypeText(), styled);
    }
    return WriteKeywordLine(item, depth, styled, out);
}

bool CCueRichWriter::WriteTrack(const CCueTrack& item, int depth, std::string& out)
{
    std::string styled(kTrackStyle);
    styled += "TRACK ";
    ts::AppendNumber2(styled, item.Number());
    styled += kPlainStyle;
    styled += ' ';
    AppendEscaped(item.TypeText(), styled);
    return WriteKeywordLine(item, depth, styled, out);
}

bool CCueRichWriter::WriteIndex(const CCueIndex& item, int depth, std::string& out)
{
    std::string styled(kIndexStyle);
    styled += "INDEX ";
    ts::AppendNumber2(styled, item.Number());
    styled += kPlainStyle;
    styled += ' ';
    item.Time().AppendText(styled);
    return WriteKeywordLine(item, depth, styled, out);
}

bool CCueRichWriter::WritePostgap(const CCuePostgap& item, int depth, std::string& out)
{
    std::string styled(kKeywordStyle);
    styled += "POSTGAP";
    styled += kPlainStyle;
    styled += ' ';
    item.Time().AppendText(styled);
    return WriteKeywordLine(item, depth, styled, out);
}

bool CCueRichWriter::WritePregap(const CCuePregap& item, int depth, std::string& out)
{
    std::string styled(kKeywordStyle);
    styled += "PREGAP";
    styled += kPlainStyle;
    styled += ' ';
    item.Time().AppendText(styled);
    return WriteKeywordLine(item, depth, styled, out);
}

bool CCueRichWriter::WriteIsrc(const CCueIsrc& item, int depth, std::string& out)
{
    std::string styled(kKeywordStyle);
    styled += "ISRC";
    styled += kPlainStyle;
    styled += ' ';
    AppendEscaped(item.Code(), styled);
    return WriteKeywordLine(item, depth, styled, out);
}

bool CCueRichWriter::WriteFlags(const CCueFlags& item, int depth, std::string& out)
{
    std::string styled(kKeywordStyle);
    styled += "FLAGS";
    styled += kPlainStyle;
    styled += ' ';
    AppendEscaped(item.FlagsText(), styled);
    return WriteKeywordLine(item, depth, styled, out);
}

bool CCueRichWriter::WriteCatalog(const CCueCatalog& item, int depth, std::string& out)
{
    std::string styled(kKeywordStyle);
    styled += "CATALOG";
    styled += kPlainStyle;
    styled += ' ';
    AppendEscaped(item.Number(), styled);
    return WriteKeywordLine(item, depth, styled, out);
}

bool CCueRichWriter::WriteComment(const CCueComment& item, int depth, std::string& out)
{
    AppendIndent(depth, out);
    out += kCommentStyle;
    AppendEscaped(item.Comment(), out);
    out += kPlainStyle;
    out += '\n';
    out += kParagraphEnd;
    return true;
}

bool CCueRichWriter::WriteCdText(const CCueCdText& item, int depth, std::string& out)
{
    std::string styled(kCdTextStyle);
    AppendEscaped(item.Keyword(), styled);
    styled += kPlainStyle;
    if (!item.Value().empty()) {
        styled += item.Gap();
        AppendEscaped(item.Value(), styled);
    }
    return WriteKeywordLine(item, depth, styled, out);
}

bool CCueRichWriter::WriteUnknown(const CCueUnknown& item, int depth, std::string& out)
{
    // Shown at its depth, whatever indentation it was read with.
    std::string_view text(item.Text());
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    AppendIndent(depth, out);
    out += kUnknownStyle;
    AppendEscaped(text, out);
    out += kPlainStyle;
    out += '\n';
    out += kParagraphEnd;
    return true;
}

void CCueRichWriter::WriteLine(const CCueItem& item, int depth, std::string& out)
{
    switch (item.Kind()) {
    case ItemKind::File: WriteFile(static_cast<const CCueFile&>(item), depth, out); break;
    case ItemKind::Track: WriteTrack(static_cast<const CCueTrack&>(item), depth, out); break;
    case ItemKind::Index: WriteIndex(static_cast<const CCueIndex&>(item), depth, out); break;
    case ItemKind::Postgap: WritePostgap(static_cast<const CCuePostgap&>(item), depth, out); break;
    case ItemKind::Pregap: WritePregap(static_cast<const CCuePregap&>(item), depth, out); break;
    case ItemKind::Isrc: WriteIsrc(static_cast<const CCueIsrc&>(item), depth, out); break;
    case ItemKind::Flags: WriteFlags(static_cast<const CCueFlags&>(item), depth, out); break;
    case ItemKind::Catalog: WriteCatalog(static_cast<const CCueCatalog&>(item), depth, out); break;
    case ItemKind::Comment: WriteComment(static_cast<const CCueComment&>(item), depth, out); break;
    case ItemKind::CdText: WriteCdText(static_cast<const CCueCdText&>(item), depth, out); break;
    default: WriteUnknown(static_cast<const CCueUnknown&>(item), depth, out); break;
    }
}

void CCueRichWriter::MakeLine(const CCueItem& item, int depth, StyledLine& line)
{
    CCueRichWriter writer;
    std::string paragraph;
    writer.WriteLine(item, depth, paragraph);
    ReadParagraph(paragraph, line);
}

bool CCueRichWriter::ReadParagraph(std::string_view paragraph, StyledLine& line)
{
    line.text.clear();
    line.runs.clear();
    Style style = Style::Plain;
    bool styleShown = false; // whether the style's run is in line.runs yet
    bool known = true;
    std::size_t at = 0;
    const auto put = [&](char c) {
        if (!styleShown) {
            if (!line.runs.empty() && line.runs.back().start == line.text.size())
                line.runs.back().style = style;
            else if (line.runs.empty() || line.runs.back().style != style)
                line.runs.push_back({static_cast<std::uint32_t>(line.text.size()), style});
            styleShown = true;
        }
        line.text += c;
    };
    while (at < paragraph.size()) {
        const char c = paragraph[at];
        if (c == '\n' || c == '\r') {
            ++at;
            continue;
        }
        if (c != '\\') {
            // Text: copy the whole stretch up to the next escape at once.
            std::size_t end = at;
            while (end < paragraph.size() && paragraph[end] != '\\' && paragraph[end] != '\n' && paragraph[end] != '\r')
                ++end;
            put(paragraph[at]);
            line.text.append(paragraph.substr(at + 1, end - at - 1));
            at = end;
            continue;
        }
        const std::string_view rest = paragraph.substr(at);
        if (rest.size() >= 2 && (rest[1] == '\\' || rest[1] == '{' || rest[1] == '}')) {
            put(rest[1]);
            at += 2;
            continue;
        }
        if (rest.substr(0, kParagraphEnd.size()) == kParagraphEnd)
            break;
        bool matched = false;
        for (std::size_t i = 0; i < std::size(kStyleWords); ++i) {
            if (rest.substr(0, kStyleWords[i].size()) == kStyleWords[i]) {
                const auto next = static_cast<Style>(i);
                styleShown = styleShown && next == style;
                style = next;
                at += kStyleWords[i].size();
                matched = true;
                break;
            }
        }
        if (!matched) {
            known = false;
            ++at;
        }
    }
    line.utf8 = ts::IsValidUtf8(line.text);
    if (line.utf8) {
        line.shownLength = 0;
        for (char c : line.text)
            line.shownLength += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    } else {
        line.shownLength = line.text.size();
    }
    return known;
}
