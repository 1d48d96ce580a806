#include "cli/CliHelp.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "cli/CliCommand.h"
#include "res/Version.h"

namespace {

constexpr std::size_t kWidth = 79;
constexpr std::size_t kTermColumnMax = 26;

// Writes text word by word in lines of at most kWidth columns; every line
// but the first starts with indent blanks, the first continues at column.
void Wrap(std::string_view text, std::size_t column, std::size_t indent, std::FILE* out)
{
    std::size_t at = column;
    bool lineEmpty = true;
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos)
            break;
        text.remove_prefix(start);
        const std::size_t end = std::min(text.find(' '), text.size());
        const std::string_view word = text.substr(0, end);
        text.remove_prefix(end);
        if (!lineEmpty && at + 1 + word.size() > kWidth) {
            std::fprintf(out, "\n%*s", static_cast<int>(indent), "");
            at = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            std::fputc(' ', out);
            ++at;
        }
        std::fwrite(word.data(), 1, word.size(), out);
        at += word.size();
        lineEmpty = false;
    }
    std::fputc('\n', out);
}

struct Row {
    std::string_view term;
    std::string_view text;
};

std::vector<Row> Rows(const char* table)
{
    std::vector<Row> rows;
    std::string_view rest = table ? table : "";
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(std::min(end + 1, rest.size()));
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            rows.push_back({line, {}});
        else
            rows.push_back({line.substr(0, tab), line.substr(tab + 1)});
    }
    return rows;
}

// A two-column list: the terms at two blanks, the texts in one column
// after the longest term; a term too long for that column gets its text
// on the next line.
void PrintRows(const char* heading, const std::vector<Row>& rows, std::FILE* out)
{
    std::size_t longest = 0;
    for (const Row& row : rows)
        longest = std::max(longest, row.term.size());
    const std::size_t column = std::min(2 + longest + 2, kTermColumnMax);
    std::fprintf(out, "\n%s\n", heading);
    for (const Row& row : rows) {
        std::fprintf(out, "  %.*s", static_cast<int>(row.term.size()), row.term.data());
        std::size_t at = 2 + row.term.size();
        if (at + 2 > column) {
            std::fprintf(out, "\n%*s", static_cast<int>(column), "");
        } else {
            std::fprintf(out, "%*s", static_cast<int>(column - at), "");
        }
        at = column;
        Wrap(row.text, at, column, out);
    }
}

bool HasHelp(const CliCommand& command)
{
    return command.summary && *command.summary && command.exits && *command.exits;
}

// The summary's first sentence, for the overview.
std::string_view FirstSentence(std::string_view text)
{
    const std::size_t stop = text.find(". ");
    return stop == std::string_view::npos ? text : text.substr(0, stop + 1);
}

} // namespace

void PrintVersion(std::FILE* out)
{
    std::fprintf(out, "tracksmith-cli %s\n", res::kVersion);
}

void PrintOverview(std::span<const CliCommand> commands, std::FILE* out)
{
    std::fputs("Usage: tracksmith-cli COMMAND [ARGUMENTS...]\n"
               "       tracksmith-cli help [COMMAND]\n"
               "       tracksmith-cli --help | --version\n"
               "\n"
               "Reads, checks and writes cue sheets the way the Tracksmith editor does, and\n"
               "runs its wave file and track operations.\n"
               "\nCommands:\n",
               out);
    for (const CliCommand& c : commands) {
        std::fprintf(out, "  %s%s%s\n", c.name, *c.usage ? " " : "", c.usage);
        if (c.summary) {
            std::fputs("      ", out);
            Wrap(FirstSentence(c.summary), 6, 6, out);
        }
    }
    std::fputs("\nExit codes:\n"
               "  0  success\n"
               "  1  failure; the reason is printed on standard error\n"
               "  2  usage error: an unknown command or wrong arguments\n"
               "\nRun \"tracksmith-cli help COMMAND\" for a command's arguments and exit codes.\n",
               out);
}

bool PrintCommandHelp(const CliCommand& command, std::FILE* out)
{
    if (!HasHelp(command))
        return false;
    std::fprintf(out, "Usage: tracksmith-cli %s%s%s\n\n", command.name, *command.usage ? " " : "", command.usage);
    Wrap(command.summary, 0, 0, out);
    const std::vector<Row> arguments = Rows(command.arguments);
    if (!arguments.empty())
        PrintRows("Arguments:", arguments, out);
    PrintRows("Exit codes:", Rows(command.exits), out);
    return true;
}

int RunHelp(std::span<const CliCommand> commands, const std::vector<std::string>& args)
{
    if (args.empty()) {
        PrintOverview(commands, stdout);
        return 0;
    }
    if (args.size() != 1) {
        PrintUsage();
        return 2;
    }
    for (const CliCommand& c : commands) {
        if (args[0] != c.name)
            continue;
        if (PrintCommandHelp(c, stdout))
            return 0;
        std::fprintf(stderr, "tracksmith-cli: no help text for \"%s\"\n", c.name);
        return 1;
    }
    std::fprintf(stderr, "tracksmith-cli: unknown command \"%s\"\n", args[0].c_str());
    PrintUsage();
    return 2;
}
