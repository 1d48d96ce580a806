#pragma once

#include <string>

// One run of an outside program through the shell.
struct PeerRun {
    int exitCode = -1;
    std::string out; // standard output
    std::string err; // standard error

    // Runs `command` in `folder` (through /bin/sh) and collects what it
    // printed.
    static PeerRun Run(const std::string& folder, const std::string& command);
    // True when the shell finds `tool` on the PATH.
    static bool Installed(const std::string& tool);
    // `text` in single quotes for the shell.
    static std::string Quote(const std::string& text);
};
