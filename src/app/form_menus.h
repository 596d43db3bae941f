#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

// The menu bar as both frontends show it: each menu with its items, their captions, keys and
// check marks, and the session's command an item runs. A new command goes into this table
// (and a test); the window and the page then show it without a change of their own.
namespace vellar {

class Session;

// Where an item or a menu is shown. The page has no "Ende" (a page cannot close its tab) and
// no zoom (the browser zooms); the window has no built-in examples.
enum class FormPlace { Both, Window, Page };

struct MenuItem {
  std::string_view name{};     // the item's object name ("MeLoadMps"); empty for a separator
  std::string_view caption{};  // "&" before the mnemonic letter
  // Keys in the portable notation ("F2", "Ctrl+Shift+Z"); the first is shown beside the
  // caption.
  std::array<std::string_view, 2> keys{};
  // A key shown beside the caption that the key hook gives, not the menu ("Rücktaste").
  std::string_view keyText{};
  // The session's command; none for what the frontend does itself (closing the window, its
  // info and help, the zoom levels).
  void (*run)(Session&) = nullptr;
  // A check mark, where the item has one; and whether the item can be chosen, where it may
  // not always.
  bool (*checked)(const Session&) = nullptr;
  bool (*enabled)(Session&) = nullptr;
  // The answer changes with every clock of a run: the window asks it only when the menu opens.
  bool enabledOnOpen = false;
  FormPlace place = FormPlace::Both;
  // A submenu whose items the frontend makes ("Vergrößerung" with the levels that fit).
  bool submenu = false;

  bool Separator() const { return name.empty(); }
};

struct Menu {
  std::string_view caption{};  // "&Datei"
  std::span<const MenuItem> items;
  // Filled by the frontend ("Beispiele": the page's built-in examples).
  FormPlace place = FormPlace::Both;
};

std::span<const Menu> MainMenus();

// The item of that name, or none.
const MenuItem* FindMenuItem(std::string_view name);

// Runs the session's command of the item; false for an item without one or an unknown name.
bool RunMenuCommand(Session& session, std::string_view name);

// A key in the portable notation as the German desktop names it: "Ctrl+Z" as "Strg+Z".
std::string GermanKeyText(std::string_view key);

}  // namespace vellar
