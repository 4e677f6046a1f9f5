#pragma once

#include <windows.h>

#include "core/command_target.h"
#include "settings_window/main_form.h"
#include "settings_window/win32/main_window.h"

// The listing of every row, placed over the main window whether it is shown or not.
class ListingCommand {
 public:
  ListingCommand(HINSTANCE instance, MainWindow& window, MainForm& form)
      : instance_(instance), window_(window), form_(form) {}

  // from_tray: opened from the launcher menu, with the window perhaps hidden.
  void Show(bool from_tray);
  void RegisterWith(CommandTarget& target);

 private:
  HINSTANCE instance_;
  MainWindow& window_;
  MainForm& form_;
};
