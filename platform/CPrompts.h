#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Error, Warning, Information, Question };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// One message of those a box shows together.
struct PromptMessage {
    std::string caption;
    std::string text;
};

struct MessageBoxRequest {
    std::string text;
    std::string caption;
    PromptButtons buttons = PromptButtons::Ok;
    PromptIcon icon = PromptIcon::None;
    bool foreground = false; // bring the program to the front first
    // When the box stands for several messages: each of them, in order.
    // The window lists them under the box's details; the command line
    // prints them one per line instead of the box's text.
    std::vector<PromptMessage> details = {};
};

struct FileDialogRequest {
    std::string title;
    std::string folder;   // where the dialog starts
    std::string fileName; // proposed name
    // Filter name and its patterns, e.g. {"Cue sheets (*.cue)", "*.cue"}.
    std::vector<std::pair<std::string, std::string>> filters;
};

// Every message box and file dialog of the program goes through the current
// prompts object: the window shows real dialogs, the command-line front end
// prints, and tests script the answers and check the texts.
class CPrompts
{
public:
    virtual ~CPrompts();

    virtual PromptAnswer ShowMessage(const MessageBoxRequest& request) = 0;
    // The chosen path, or nothing when the user cancels.
    virtual std::optional<std::string> AskOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> AskSaveFile(const FileDialogRequest& request) = 0;
    // Several files at once, in the order chosen; empty when the user
    // cancels. Prompts that ask for one file at a time give that one.
    virtual std::vector<std::string> AskOpenFiles(const FileDialogRequest& request);

    // The object in use. Without one installed, boxes are answered with
    // their safe default (OK, No or Cancel) and dialogs are cancelled; the
    // engine never blocks on its own.
    static CPrompts& Current();
    // Installs prompts (not owned) and returns the previous ones; null
    // restores the default.
    static CPrompts* Install(CPrompts* prompts);

    // The answer a box gets when nobody is asked.
    static PromptAnswer DefaultAnswer(PromptButtons buttons);
};

// Installs prompts for the lifetime of the scope.
class CPromptsScope
{
public:
    explicit CPromptsScope(CPrompts& prompts);
    ~CPromptsScope();
    CPromptsScope(const CPromptsScope&) = delete;
    CPromptsScope& operator=(const CPromptsScope&) = delete;

private:
    CPrompts* m_previous;
};

// The message box shortcut: ShowMessage on the current prompts.
PromptAnswer ShowMessageBox(const std::string& text, const std::string& caption,
                        PromptButtons buttons = PromptButtons::Ok,
                        PromptIcon icon = PromptIcon::None, bool foreground = false);
