#include "takeover/list_takeover.h"

#include "core/clock_texts.h"
#include "takeover/repair.h"
#include "takeover/takeover_texts.h"

namespace {

std::string KeptFolder(const std::string& program_file) {
  return ProgramFolderOf(program_file) + kKeptFolderName;
}

}  // namespace

ListTakeover::ListTakeover(const UninstallServices& services, MainForm& form,
                           const std::string& program_file)
    : sources_(services.sources),
      form_(form),
      folders_(services.folders),
      program_file_(program_file),
      takeover_(services.sources, services.dialogs,
                TakeoverList{form.Store(), [this] { return form_.SaveNow(); },
                             [this] { form_.ShowRowsAgain(); }},
                KeptFolder(program_file)),
      steps_(takeover_, services.dialogs,
             StepList{form.Store(), [this] { return form_.HasUnsavedChanges(); },
                      [this] { return form_.SaveNow(); },
                      [this] { return ListKeptEntries(sources_, Places()); }},
             KeptFolder(program_file)),
      uninstall_(services, program_file) {
  form.SetKeptCheck([this](const LaunchItem& row) {
    if (!kept_entries_) kept_entries_ = ListKeptEntries(sources_, Places());
    return IsKeptRow(*kept_entries_, row);
  });
  form.SetLoadRepair([this](const std::vector<LaunchItem>& rows) {
    std::vector<std::string> lines = RepairTakeOver(sources_, Places(), rows);
    if (!lines.empty()) lines.insert(lines.begin(), takeover_texts::kRepairsHeading);
    return lines;
  });
}

EntriesPageHandlers ListTakeover::PageHandlers() {
  return EntriesPageHandlers{
      [this] { return ListTakeoverEntries(sources_, Places(), form_.Store().Rows()); },
      [this](const TakeoverEntry& entry) { return steps_.TakeOver(entry); },
      [this](const TakeoverEntry& entry) { return steps_.GiveBack(entry); },
      [this] {
        // Nothing of the program is left to save to: the window closes as Cancel does.
        if (uninstall_.Run()) form_.CancelBtnClick();
      }};
}

const EntryLocations& ListTakeover::Places() {
  if (!located_) located_ = LocateEntries(folders_, ProgramFolderOf(program_file_), program_file_);
  return *located_;
}
