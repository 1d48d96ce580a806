// The help file and the read-me name the program's commands with their
// menu texts, so that a reader finds in the menus what the manual says.
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "res/CommandTable.h"

namespace {

std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text a reader sees: tags removed, the few entities used decoded and
// every run of white space made one blank.
std::string VisibleText(const std::string& html)
{
    std::string text;
    bool inTag = false;
    for (const char c : html) {
        if (c == '<')
            inTag = true;
        else if (c == '>')
            inTag = false;
        else if (!inTag)
            text += c;
    }
    for (const auto& [entity, plain] : {std::pair{"&gt;", ">"}, {"&lt;", "<"}, {"&mdash;", "-"}, {"&amp;", "&"}}) {
        for (std::size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at))
            text.replace(at, std::string(entity).size(), plain);
    }
    std::string squeezed;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (!blank)
            squeezed += c;
        else if (!squeezed.empty() && squeezed.back() != ' ')
            squeezed += ' ';
    }
    return squeezed;
}

// "Save &As..." reads "Save As..." in the manual; the key part after the
// tab is left out.
std::string Caption(std::string_view menuText)
{
    std::string caption;
    for (const char c : menuText.substr(0, menuText.find('\t'))) {
        if (c != '&')
            caption += c;
    }
    return caption;
}

TEST(HelpFile, NamesEveryMenuCommandByItsText)
{
    const std::string html = ReadText(TS_RES_DIR "/tracksmith.html");
    ASSERT_FALSE(html.empty());
    const std::string text = VisibleText(html);
    int checked = 0;
    for (const CommandInfo& command : res::Commands()) {
        for (const std::string_view menuText : {command.menuText, command.contextText}) {
            const std::string caption = Caption(menuText);
            if (caption.empty() || caption == "Recent File")
                continue;
            EXPECT_NE(text.find(caption), std::string::npos) << '"' << caption << "\" is not in the help file";
            ++checked;
        }
    }
    EXPECT_GT(checked, 30);
}

TEST(HelpFile, IsSelfContainedWithTableOfContents)
{
    const std::string html = ReadText(TS_RES_DIR "/tracksmith.html");
    ASSERT_FALSE(html.empty());
    for (const char* external : {"src=\"http", "href=\"http", "<link", "<script", "@import", "url("})
        EXPECT_EQ(html.find(external), std::string::npos) << external;
    // Every link of the table of contents leads to a heading of the file.
    int links = 0;
    for (std::size_t at = html.find("href=\"#"); at != std::string::npos; at = html.find("href=\"#", at + 1)) {
        const std::size_t start = at + 7;
        const std::string id = html.substr(start, html.find('"', start) - start);
        EXPECT_NE(html.find("id=\"" + id + "\""), std::string::npos) << "no target for #" << id;
        ++links;
    }
    EXPECT_GE(links, 10);
}

TEST(ReadMe, ListsTheShortcutsOfTheInsertCommands)
{
    const std::string readme = ReadText(TS_RES_DIR "/readme.txt");
    ASSERT_FALSE(readme.empty());
    for (const CommandInfo& command : res::Commands()) {
        if (command.contextText.substr(0, 7) != "Insert ")
            continue;
        const std::string line = std::string(command.keys) + "  " + Caption(command.menuText);
        EXPECT_NE(readme.find(line), std::string::npos) << line;
    }
}

#ifdef TS_APP_DIR
TEST(HelpFile, AndReadMeAreBesideTheBuiltProgram)
{
    for (const char* name : {"/tracksmith.html", "/readme.txt"}) {
        const std::string copy = ReadText(std::string(TS_APP_DIR) + name);
        EXPECT_FALSE(copy.empty()) << name;
        EXPECT_EQ(copy, ReadText(std::string(TS_RES_DIR) + name)) << name;
    }
}
#endif

} // namespace
