#include "model/CueLineText.h"

#include "model/CCueCatalog.h"
#include "model/CCueCdText.h"
#include "model/CCueFile.h"
#include "model/CCueFlags.h"
#include "model/CCueIndex.h"
#include "model/CCueIsrc.h"
#include "model/CCuePostgap.h"
#include "model/CCuePregap.h"
#include "model/CCueTrack.h"
#include "model/TextUtil.h"

namespace ts {

bool FileNameNeedsQuotes(std::string_view name)
{
    return name.find_first_of(" \t;") != std::string_view::npos;
}

NameForm FileNameForm(std::string_view name)
{
    return FileNameProblem(name).empty()
        ? (FileNameNeedsQuotes(name) ? NameForm::Quoted : NameForm::Bare)
        : NameForm::Impossible;
}

std::string FileNameProblem(std::string_view name)
{
    if (name.empty())
        return "the name is empty.";
    if (name.find_first_of(std::string_view("\n\r\0", 3)) != std::string_view::npos)
        return "a name cannot hold a line break or a NUL character.";
    if (name.find('"') != std::string_view::npos) {
        if (name.front() == '"')
            return "a name cannot start with a double quote.";
        if (FileNameNeedsQuotes(name))
            return "a name with a double quote cannot also hold a blank, a tab or a semicolon.";
    }
    return {};
}

std::string CodeProblem(std::string_view code)
{
    if (code.empty())
        return "the code is empty.";
    if (code.front() == '"') {
        if (code.size() < 2 || code.back() != '"' || code.substr(1, code.size() - 2).find('"') != std::string_view::npos)
            return "a code that starts with a double quote must end with one and hold no other.";
        return {};
    }
    if (code.find_first_of(" \t") != std::string_view::npos)
        return "a code cannot hold a blank unless it is in double quotes.";
    if (code.front() == ';')
        return "a code cannot start with a semicolon.";
    return {};
}

std::string CommentProblem(std::string_view comment)
{
    std::size_t quotes = 0;
    for (char c : comment)
        quotes += c == '"' ? 1 : 0;
    if (quotes % 2 != 0)
        return "a double quote (\") without its partner makes other programs read the lines after it as part "
               "of the comment.";
    return {};
}

void AppendFileName(const CCueFile& file, std::string& out)
{
    const std::string& name = file.Name();
    // The type follows; a long name is then copied once, not again as the
    // string grows.
    out.reserve(out.size() + name.size() + file.TypeText().size() + 3);
    if (FileNameNeedsQuotes(name) || file.TypeText().find_first_of(" \t") != std::string_view::npos) {
        out += '"';
        out += name;
        out += '"';
    } else {
        out += name;
    }
}

void AppendItemText(const CCueItem& item, std::string& out)
{
    switch (item.Kind()) {
    case ItemKind::File: {
        const auto& file = static_cast<const CCueFile&>(item);
        out += "FILE ";
        AppendFileName(file, out);
        if (!file.TypeText().empty()) {
            out += ' ';
            out += file.TypeText();
        }
        break;
    }
    case ItemKind::Track: {
        const auto& track = static_cast<const CCueTrack&>(item);
        out += "TRACK ";
        AppendNumber2(out, track.Number());
        out += ' ';
        out += track.TypeText();
        break;
    }
    case ItemKind::Index: {
        const auto& index = static_cast<const CCueIndex&>(item);
        out += "INDEX ";
        AppendNumber2(out, index.Number());
        out += ' ';
        index.Time().AppendText(out);
        break;
    }
    case ItemKind::Postgap:
        out += "POSTGAP ";
        static_cast<const CCuePostgap&>(item).Time().AppendText(out);
        break;
    case ItemKind::Pregap:
        out += "PREGAP ";
        static_cast<const CCuePregap&>(item).Time().AppendText(out);
        break;
    case ItemKind::Isrc:
        out += "ISRC ";
        out += static_cast<const CCueIsrc&>(item).Code();
        break;
    case ItemKind::Flags:
        out += "FLAGS ";
        out += static_cast<const CCueFlags&>(item).FlagsText();
        break;
    case ItemKind::Catalog:
        out += "CATALOG ";
        out += static_cast<const CCueCatalog&>(item).Number();
        break;
    case ItemKind::CdText: {
        const auto& text = static_cast<const CCueCdText&>(item);
        out += text.Keyword();
        if (!text.Value().empty()) {
            out += text.Gap();
            out += text.Value();
        }
        break;
    }
    case ItemKind::Comment:
    case ItemKind::Unknown: // written whole by the writers
    case ItemKind::None:
        break;
    }
}

} // namespace ts
