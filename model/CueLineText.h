#pragma once

#include <string>
#include <string_view>

class CCueItem;
class CCueFile;

namespace ts {

// The cue sheet text of a keyword line, without indentation or comment:
// "TRACK 01 AUDIO", "INDEX 01 00:02:00", "FLAGS DCP ", ... Nothing for a
// comment item.
void AppendItemText(const CCueItem& item, std::string& out);

// A FILE line's name as written in a sheet: in double quotes when it holds a
// blank, a tab or a semicolon, which would otherwise split it or start a
// comment, and when the type after it is several words (kept as read), which
// a bare name would otherwise take into itself on the next read.
void AppendFileName(const CCueFile& file, std::string& out);
bool FileNameNeedsQuotes(std::string_view name);

// How a name can be written so that it reads back as the same name. A
// quoted name ends at its next double quote, so a name with a double quote
// can only be written bare: it must need no quotes and not start with one.
// No name can hold a line break or a NUL, and an empty name is no name.
enum class NameForm { Bare, Quoted, Impossible };
NameForm FileNameForm(std::string_view name);
// Why FileNameForm says Impossible, for the user; "" when it does not.
std::string FileNameProblem(std::string_view name);
// Why an ISRC or CATALOG code cannot be written so that it reads back as
// itself (a blank or a leading semicolon outside quotes, quotes that do not
// enclose the whole code); empty when it can.
std::string CodeProblem(std::string_view code);
// Why a typed comment should not be written: a double quote without its
// partner, which other readers take for the start of a text running on
// over the following lines; empty when it can.
std::string CommentProblem(std::string_view comment);

} // namespace ts
