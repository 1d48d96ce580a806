#pragma once

#include <string>
#include <vector>

// tracksmith-cli split SHEET OUTDIR [--format F] [--gaps G]: one file per
// track and a sheet for them in OUTDIR.
int RunSplit(const std::vector<std::string>& args);
// tracksmith-cli join SHEET OUT.flac|OUT.wav: the sheet's files as one
// image and a sheet for it beside it.
int RunJoin(const std::vector<std::string>& args);
