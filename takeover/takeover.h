#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/main_form.h"
#include "platform/special_folders.h"
#include "shell/adoption.h"
#include "shell/startup_entries.h"
#include "shell/takeover_steps.h"
#include "shell/uninstall.h"
#include "takeover/entries_page_handlers.h"

// Taking over the machine's other log-on entries, as the main window's list meets it: the
// entries page's actions, giving back a taken-over row that is deleted, the log-on report's
// check and the repairs after a load.
class Takeover {
 public:
  // Sets the form's adopted check and load repair.
  Takeover(const UninstallServices& services, MainForm& form, const std::string& program_file);
  Takeover(const Takeover&) = delete;
  Takeover& operator=(const Takeover&) = delete;

  EntriesPageHandlers PageHandlers();
  // The rows the list commands must give back before deleting them.
  TakenOverRows& Rows() { return steps_; }

 private:
  // The shell's folders do not move while the program runs: asked once, when first needed.
  const StartupLocations& Places();

  StartupSources sources_;
  MainForm& form_;
  SpecialFolders& folders_;
  std::string program_file_;
  Adoption adoption_;
  TakeoverSteps steps_;
  Uninstall uninstall_;
  std::optional<StartupLocations> located_;
  std::optional<std::vector<StartupEntry>> adopted_entries_;  // read once, by the report
};
