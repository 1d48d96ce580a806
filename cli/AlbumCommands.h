#pragma once

#include <string>
#include <vector>

// The album commands of tracksmith-tracks: new, import, export, detect and
// chapters. Each prints the sheet (or the list) it makes on standard
// output, or writes it whole to -o OUT; messages go to standard error.
int RunNew(const std::vector<std::string>& args);
int RunImport(const std::vector<std::string>& args);
int RunExport(const std::vector<std::string>& args);
int RunDetect(const std::vector<std::string>& args);
int RunChapters(const std::vector<std::string>& args);
