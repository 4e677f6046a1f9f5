#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/special_folders.h"
#include "settings_window/main_form.h"
#include "takeover/entries.h"
#include "takeover/entries_page_handlers.h"
#include "takeover/take_over.h"
#include "takeover/takeover_steps.h"
#include "takeover/uninstall.h"

// Taking over the machine's other log-on entries, as the main window's list meets it: the
// takeover page's actions, giving back a taken-over row that is deleted, the log-on report's
// check and the repairs after a load.
class ListTakeover {
 public:
  // Sets the form's kept check and load repair.
  ListTakeover(const UninstallServices& services, MainForm& form, const std::string& program_file);
  ListTakeover(const ListTakeover&) = delete;
  ListTakeover& operator=(const ListTakeover&) = delete;

  EntriesPageHandlers PageHandlers();
  // The rows the list commands must give back before deleting them.
  TakenOverRows& Rows() { return steps_; }

 private:
  // The shell's folders do not move while the program runs: asked once, when first needed.
  const EntryLocations& Places();

  EntrySources sources_;
  MainForm& form_;
  SpecialFolders& folders_;
  std::string program_file_;
  Takeover takeover_;
  TakeoverSteps steps_;
  Uninstall uninstall_;
  std::optional<EntryLocations> located_;
  std::optional<std::vector<TakeoverEntry>> kept_entries_;  // read once, by the report
};
