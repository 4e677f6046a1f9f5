#include "takeover/takeover.h"

#include "core/clock_texts.h"
#include "shell/takeover_repair.h"
#include "shell/takeover_texts.h"

namespace {

std::string AdoptedFolder(const std::string& program_file) {
  return ProgramFolderOf(program_file) + kAdoptedFolderName;
}

}  // namespace

Takeover::Takeover(const UninstallServices& services, MainForm& form,
                   const std::string& program_file)
    : sources_(services.sources),
      form_(form),
      folders_(services.folders),
      program_file_(program_file),
      adoption_(services.sources, services.dialogs,
                AdoptionList{form.Store(), [this] { return form_.SaveNow(); },
                             [this] { form_.ShowRowsAgain(); }},
                AdoptedFolder(program_file)),
      steps_(adoption_, services.dialogs,
             StepList{form.Store(), [this] { return form_.HasUnsavedChanges(); },
                      [this] { return form_.SaveNow(); },
                      [this] { return ListAdoptedEntries(sources_, Places()); }},
             AdoptedFolder(program_file)),
      uninstall_(services, program_file) {
  form.SetAdoptedCheck([this](const LaunchItem& row) {
    if (!adopted_entries_) adopted_entries_ = ListAdoptedEntries(sources_, Places());
    return IsAdoptedRow(*adopted_entries_, row);
  });
  form.SetLoadRepair([this](const std::vector<LaunchItem>& rows) {
    std::vector<std::string> lines = RepairTakeOver(sources_, Places(), rows);
    if (!lines.empty()) lines.insert(lines.begin(), takeover_texts::kRepairsHeading);
    return lines;
  });
}

EntriesPageHandlers Takeover::PageHandlers() {
  return EntriesPageHandlers{
      [this] { return ListStartupEntries(sources_, Places(), form_.Store().Rows()); },
      [this](const StartupEntry& entry) { return steps_.Adopt(entry); },
      [this](const StartupEntry& entry) { return steps_.GiveBack(entry); },
      [this] {
        // Nothing of the program is left to save to: the window closes as Cancel does.
        if (uninstall_.Run()) form_.CancelBtnClick();
      }};
}

const StartupLocations& Takeover::Places() {
  if (!located_) located_ = LocateStartup(folders_, ProgramFolderOf(program_file_), program_file_);
  return *located_;
}
