// Writes the generated benchmark sheets into a folder:
// realistic.cue, stress.cue and scale.cue.
#include "bench/SheetGenerator.h"

#include <cstdio>
#include <fstream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: tracksmith-sheetgen FOLDER\n", stderr);
        return 2;
    }
    const std::string folder = argv[1];
    const struct {
        const char* name;
        SheetPlan (*make)();
    } sheets[] = {
        {"realistic.cue", SheetGenerator::Realistic},
        {"stress.cue", SheetGenerator::Stress},
        {"scale.cue", SheetGenerator::Scale},
    };
    for (const auto& s : sheets) {
        const std::string text = s.make().Text();
        const std::string path = folder + "/" + s.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "tracksmith-sheetgen: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
