#include "peers/PeerRun.h"

#include "support/TempDir.h"

#include <cstdio>
#include <sys/wait.h>

std::string PeerRun::Quote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

PeerRun PeerRun::Run(const std::string& folder, const std::string& command)
{
    PeerRun run;
    const std::string errPath = folder + "/.stderr";
    const std::string line = "cd " + Quote(folder) + " && " + command + " 2>" + Quote(errPath);
    std::FILE* pipe = popen(line.c_str(), "r");
    if (!pipe) {
        run.err = "cannot start: " + line;
        return run;
    }
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        run.out.append(buffer, got);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFileBytes(errPath);
    std::remove(errPath.c_str());
    return run;
}

bool PeerRun::Installed(const std::string& tool)
{
    return Run("/", "command -v " + Quote(tool) + " >/dev/null").exitCode == 0;
}
