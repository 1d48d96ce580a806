#pragma once

#include <span>
#include <string_view>

// One command: its menu text (with the "\t" part shown at the right of the
// menu), its shortcuts in the portable text form ("Ctrl+N", "F5", ";"),
// its status-bar prompt and tooltip, and the icon of its button.
struct CommandInfo {
    int id;
    std::string_view menuText;
    std::string_view keys; // shortcuts separated by ", "; "" for none
    std::string_view prompt;
    std::string_view tooltip;
    std::string_view icon; // icon name, "" for none
    std::string_view contextText = {}; // text in the context menu when it differs
};

namespace res {

// Every command of the program, once.
std::span<const CommandInfo> Commands();
const CommandInfo* FindCommand(int id);

// Menu layouts: command ids, 0 for a separator.
struct MenuInfo {
    std::string_view title;
    std::span<const int> items;
};
std::span<const MenuInfo> MainMenu();
std::span<const int> ContextMenu();
std::span<const int> MainToolbar();
std::span<const int> Wavebar();

// Texts of the Play item and the idle status text.
inline constexpr std::string_view kPlayText = "&Play";
inline constexpr std::string_view kPauseText = "&Pause";
inline constexpr std::string_view kPlayKeyText = "\tSpace";
inline constexpr std::string_view kReady = "Ready";

} // namespace res
