#include "support/SheetFixture.h"

SheetFixture::SheetFixture()
    : doc(std::make_unique<CQuillDoc>())
{
}

bool SheetFixture::Open(const std::string& text, const std::string& name)
{
    return doc->OnOpenDocument(dir.Write(name, text));
}

std::string Lines(std::initializer_list<const char*> lines)
{
    std::string out;
    for (const char* line : lines) {
        out += line;
        out += '\n';
    }
    return out;
}
