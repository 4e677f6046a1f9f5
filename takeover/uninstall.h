#pragma once

#include <string>
#include <vector>

#include "core/message_dialogs.h"
#include "platform/registry_tree.h"
#include "platform/shell_link.h"
#include "platform/special_folders.h"
#include "takeover/entries.h"

// Whether the command line asks for the uninstall: first argument "/uninstall", in any case.
bool AsksUninstall(const std::vector<std::string>& arguments);

struct UninstallServices {
  MessageDialogs& dialogs;
  EntrySources sources;
  ShellLinks& links;
  SpecialFolders& folders;
  RegistryTree& registry_tree;
};

// Takes the program off this user's system, losing nothing of what it took over: every entry
// goes back first, and only when all are back do its shortcuts and its registry key go. The
// program's folder is left to the user, who is told so.
class Uninstall {
 public:
  Uninstall(const UninstallServices& services, std::string program_file)
      : services_(services), program_file_(std::move(program_file)) {}

  // Asks once, then does the work and says how it ended. True when the program is gone from
  // the system but for its folder.
  bool Run();

 private:
  // What could not go back, as the failure texts of the entries; empty when all went back.
  std::vector<std::string> GiveEverythingBack();
  // Removes the program's shortcut from the folder when it starts this program; its path and a
  // line break when it is still there, else nothing.
  std::string LeftShortcut(int folder_csidl, const std::string& suffix);

  UninstallServices services_;
  std::string program_file_;
};
