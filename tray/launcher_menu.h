#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/launcher.h"
#include "items/item_store.h"
#include "logon/run_rules.h"
#include "tray/menu_entry.h"

// The image list behind the launcher menu.
class MenuImages {
 public:
  virtual ~MenuImages() = default;
  virtual void Clear() = 0;
  // Appends exactly one image: the file's first icon (true), or an empty one (false).
  virtual bool AddMenuIcon(const std::string& file) = 0;
};

// Which entries a menu shows: separators before the first shown entry and after the last are
// hidden, and of adjacent ones only the last is shown. Positions never change.
std::vector<bool> ShownEntries(const std::vector<MenuEntry>& entries);

// Every row of the store by position, separator rows as lines, marks from the start-up run,
// then the eight fixed entries. With menu icons, one image slot per row, separators included.
// offer_run_now puts "今すぐ起動" and a line first, after a log-on run skipped with Shift.
std::vector<MenuEntry> BuildLauncherMenu(const ItemStore& store, const RunMarks& marks,
                                         bool menu_icon, MenuImages& images,
                                         bool offer_run_now = false);

// The file the home page document is written to and what writes it.
class HomePageWriter {
 public:
  virtual ~HomePageWriter() = default;
  // Throws AppError naming the path when the file cannot be written.
  virtual void Write() = 0;
};

// What the launcher menu's commands reach outside the tray.
struct LauncherMenuActions {
  std::function<void()> show_listing;
  std::function<void()> show_help;
  std::function<void()> show_version;
  std::function<void()> start_screen_saver;
  std::function<void()> close_main_window;
  std::function<void(bool)> set_tray_enabled;
  std::function<void()> start_skipped_run;
};

// The click action of every entry of the launcher menu.
class LauncherMenu {
 public:
  LauncherMenu(const ItemStore& store, Launcher& launcher, HomePageWriter& home_page,
               std::string program_folder, LauncherMenuActions actions)
      : store_(store),
        launcher_(launcher),
        home_page_(home_page),
        program_folder_(std::move(program_folder)),
        actions_(std::move(actions)) {}

  // Throws AppError when a row's window state is not a whole number; nothing is launched then.
  void LauncherMenuClick(const MenuEntry& entry);

 private:
  // Runs a modal command with the tray icon inert, even when the command fails.
  void WithTrayInert(const std::function<void()>& command);

  const ItemStore& store_;
  Launcher& launcher_;
  HomePageWriter& home_page_;
  std::string program_folder_;
  LauncherMenuActions actions_;
};
