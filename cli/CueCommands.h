#pragma once

#include <string>
#include <vector>

// tracksmith-cli normalize SHEET: the sheet as Save writes it, on standard output.
int RunNormalize(const std::vector<std::string>& args);
// tracksmith-cli check SHEET: only the messages of the read.
int RunCheck(const std::vector<std::string>& args);
