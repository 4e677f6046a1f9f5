#include "tray/launcher_menu.h"

#include "tray/tray_texts.h"

namespace {

MenuEntry Separator() {
  return MenuEntry{MenuEntry::Kind::Separator, tray_texts::kSeparator};
}
MenuEntry Command(const char* caption, MenuCommand command) {
  return MenuEntry{MenuEntry::Kind::Command, caption, -1, false, command};
}

}  // namespace

std::vector<bool> ShownEntries(const std::vector<MenuEntry>& entries) {
  std::vector<bool> shown(entries.size(), true);
  bool seen_entry = false;
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].kind != MenuEntry::Kind::Separator) {
      seen_entry = true;
      continue;
    }
    const bool next_is_separator =
        i + 1 < entries.size() && entries[i + 1].kind == MenuEntry::Kind::Separator;
    if (!seen_entry || next_is_separator) shown[i] = false;
  }
  for (size_t i = entries.size(); i-- > 0;) {
    if (entries[i].kind != MenuEntry::Kind::Separator) break;
    shown[i] = false;
  }
  return shown;
}

std::vector<MenuEntry> BuildLauncherMenu(const ItemStore& store, const RunMarks& marks,
                                         bool menu_icon, MenuImages& images, bool offer_run_now) {
  images.Clear();
  std::vector<MenuEntry> entries;
  if (offer_run_now) {
    entries.push_back(Command(tray_texts::kRunNow, MenuCommand::RunNow));
    entries.push_back(Separator());
  }
  for (int i = 0; i < store.Size(); ++i) {
    const LaunchItem& row = store.Row(i);
    if (IsSeparator(row)) {
      // The slot is taken all the same, so that slot i stays row i's.
      if (menu_icon) images.AddMenuIcon(row.file);
      MenuEntry separator = Separator();
      separator.row = i;
      entries.push_back(separator);
      continue;
    }
    MenuEntry entry{MenuEntry::Kind::Item, row.title, -1, false, MenuCommand::LaunchRow, i};
    if (menu_icon && images.AddMenuIcon(row.file)) entry.image = i;
    entry.radio_mark = static_cast<size_t>(i) < marks.size() && marks[i] == "*";
    entries.push_back(entry);
  }
  entries.push_back(Separator());
  entries.push_back(Command(tray_texts::kHomePage, MenuCommand::HomePage));
  entries.push_back(Command(tray_texts::kScreenSaver, MenuCommand::ScreenSaver));
  entries.push_back(Separator());
  entries.push_back(Command(tray_texts::kListing, MenuCommand::Listing));
  entries.push_back(Command(tray_texts::kHelp, MenuCommand::Help));
  entries.push_back(Command(tray_texts::kVersion, MenuCommand::Version));
  entries.push_back(Command(tray_texts::kQuit, MenuCommand::Quit));
  return entries;
}

void LauncherMenu::WithTrayInert(const std::function<void()>& command) {
  struct Reactivate {
    const std::function<void(bool)>& set_enabled;
    ~Reactivate() {
      if (set_enabled) set_enabled(true);
    }
  };
  if (actions_.set_tray_enabled) actions_.set_tray_enabled(false);
  Reactivate reactivate{actions_.set_tray_enabled};
  if (command) command();
}

void LauncherMenu::LauncherMenuClick(const MenuEntry& entry) {
  switch (entry.command) {
    case MenuCommand::HomePage:
      home_page_.Write();
      launcher_.LaunchFile(tray_texts::kHomePageOpenName, "", program_folder_, kShowCommandShow);
      return;
    case MenuCommand::ScreenSaver:
      if (actions_.start_screen_saver) actions_.start_screen_saver();
      return;
    case MenuCommand::Listing:
      WithTrayInert(actions_.show_listing);
      return;
    case MenuCommand::Help:
      WithTrayInert(actions_.show_help);
      return;
    case MenuCommand::Version:
      WithTrayInert(actions_.show_version);
      return;
    case MenuCommand::RunNow:
      if (actions_.start_skipped_run) actions_.start_skipped_run();
      return;
    case MenuCommand::Quit:
      if (actions_.close_main_window) actions_.close_main_window();
      return;
    case MenuCommand::LaunchRow:
      break;
    default:
      return;
  }
  // The menu may outlive a change of the list.
  if (entry.row < 0 || entry.row >= store_.Size()) return;
  const LaunchItem& row = store_.Row(entry.row);
  if (row.file.empty()) return;
  const int show_command = ShowCommandOf(row.state);
  launcher_.LaunchFile(row.file, row.args, row.folder, show_command);
}
