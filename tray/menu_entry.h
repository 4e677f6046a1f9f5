#pragma once

#include <string>

// What choosing a tray menu entry does; the entry carries it, so a click needs no arithmetic
// over positions.
enum class MenuCommand {
  None,  // separators
  // The launcher menu.
  LaunchRow,
  RunNow,  // the log-on run that Shift skipped, started on demand
  HomePage,
  ScreenSaver,
  Listing,
  Help,
  Version,
  Quit,
  // The conveniences menu.
  MinimiseAll,     // ShowMini1
  OpenFavourite,   // HomePageOpen1
  OpenDesktop,     // DeskTop1
  OpenExplorer,    // EXPLOREOpen1
  OpenMyDocuments  // MyDocumenstOpen1
};

// One entry of a tray menu.
struct MenuEntry {
  enum class Kind { Item, Separator, Command };
  Kind kind = Kind::Item;
  std::string caption;
  int image = -1;  // slot of the menu image list, or -1
  bool radio_mark = false;
  MenuCommand command = MenuCommand::None;
  int row = -1;  // the list row a LaunchRow entry starts

  bool operator==(const MenuEntry&) const = default;
};
