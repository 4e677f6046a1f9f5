#pragma once

#include <string>
#include <vector>

#include "core/message_dialogs.h"
#include "platform/dde.h"
#include "platform/shell_link.h"
#include "platform/special_folders.h"
#include "platform/system.h"

// The three commands that put the program into the shell's Startup group, in sending order.
std::vector<std::string> StartupGroupCommands(const std::string& program_path);

// The services the two registration commands use.
struct RegistrationServices {
  System& system;
  MessageDialogs& dialogs;
  DdeClient& dde;
  ProgramStarter& starter;
  ShellLinks& links;
  SpecialFolders& folders;
};

// The "&Startup" and "ShortCut" tool buttons.
class StartupRegistration {
 public:
  explicit StartupRegistration(const RegistrationServices& services) : services_(services) {}

  // Asks, then sends the Startup-group commands to the shell over DDE. When no shell answers
  // even after starting one, writes the entry into the Startup folder directly instead, and
  // reports failure only when that cannot be done either.
  void RegisterInStartupGroup();
  // Asks, then writes "Morvelinへのショートカット.lnk" to the program on the desktop.
  void CreateDesktopShortcut();

 private:
  bool ConnectToShell();
  bool WriteStartupFolderEntry(const std::string& program_path);

  RegistrationServices services_;
};
