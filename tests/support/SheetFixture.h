#pragma once

#include "document/CQuillDoc.h"
#include "platform/CScriptedPrompts.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A document, scripted prompts installed for the test, and a temporary
// folder for sheet files.
class SheetFixture : public testing::Test
{
protected:
    SheetFixture();

    // Writes text to NAME in the temporary folder and opens it as the
    // editor does; returns whether the open succeeded.
    bool Open(const std::string& text, const std::string& name = "sheet.cue");
    // The sheet text with "\n" line ends, as Save writes it.
    std::string Text() const { return doc->SheetText(); }
    // "Caption: text" of every box shown so far.
    std::vector<std::string> Boxes() const { return prompts.Lines(); }

    TempDir dir;
    CScriptedPrompts prompts;
    CPromptsScope scope{prompts};
    std::unique_ptr<CQuillDoc> doc;
};

// Joins lines with "\n" after each one.
std::string Lines(std::initializer_list<const char*> lines);
