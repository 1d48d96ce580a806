#pragma once

#include <string>

class CCueItem;
class CCueFile;

namespace ts {

// The cue sheet text of a keyword line, without indentation or comment:
// "TRACK 01 AUDIO", "INDEX 01 00:02:00", "FLAGS DCP ", ... Nothing for a
// comment item.
void AppendItemText(const CCueItem& item, std::string& out);

// A FILE name as written in a sheet: in double quotes when it holds a blank
// or a semicolon, which would otherwise split it or start a comment.
void AppendFileName(const std::string& name, std::string& out);
bool FileNameNeedsQuotes(const std::string& name);

} // namespace ts
