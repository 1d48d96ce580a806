#include "cli/TrackTool.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {

constexpr const char* kTool = "tracksmith-tracks";
constexpr const char* kEmbedTool = "tracksmith-embed";

// The folder of the running program, with its slash; empty when unknown.
std::string OwnFolder()
{
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0)
        return {};
    const std::string self(path, static_cast<std::size_t>(n));
    const auto slash = self.rfind('/');
    return slash == std::string::npos ? std::string() : self.substr(0, slash + 1);
}

int RunTool(const char* command, const std::vector<std::string>& args, const char* program = kTool)
{
    const std::string tool = OwnFolder() + program;
    std::vector<std::string> words{tool, command};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    execv(tool.c_str(), argv.data());
    std::fprintf(stderr, "Error: \"%s\" cannot be started: %s\n", tool.c_str(), std::strerror(errno));
    return 1;
}

} // namespace

int RunSplitTool(const std::vector<std::string>& args)
{
    return RunTool("split", args);
}

int RunJoinTool(const std::vector<std::string>& args)
{
    return RunTool("join", args);
}

int RunTrackTool(const char* command, const std::vector<std::string>& args)
{
    return RunTool(command, args);
}

int RunCheckTool(const std::vector<std::string>& args)
{
    return RunTool("check", args);
}

int RunExtractTool(const std::vector<std::string>& args)
{
    return RunTool("extract", args, kEmbedTool);
}

int RunEmbedTool(const std::vector<std::string>& args)
{
    return RunTool("embed", args, kEmbedTool);
}

int RunDiscIdTool(const std::vector<std::string>& args)
{
    return RunTool("discid", args);
}

int RunVerifyTool(const std::vector<std::string>& args)
{
    return RunTool("verify", args);
}
