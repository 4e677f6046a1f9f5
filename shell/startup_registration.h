#pragma once

#include <string>
#include <vector>

#include "core/command_target.h"
#include "core/message_dialogs.h"
#include "platform/dde.h"
#include "platform/shell.h"
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
  Shell& shell;
};

// The "&Startup" and "ShortCut" tool buttons.
class StartupRegistration {
 public:
  explicit StartupRegistration(const RegistrationServices& services) : services_(services) {}

  void RegisterWith(CommandTarget& window);

  // Asks, then writes "Morvelin.lnk" starting the program with "/N" into the user's Startup
  // folder and shows that folder. Where an entry starting this program is already there, offers
  // to remove it instead. Only a system without a Startup folder gets the commands over DDE.
  void RegisterInStartupGroup();
  // Asks, then writes "Morvelinへのショートカット.lnk" to the program on the desktop.
  void CreateDesktopShortcut();

 private:
  void OfferRemoval(const std::string& entry);
  void RegisterOverDde(const std::string& program_path);
  bool ConnectToShell();
  bool WriteStartupEntry(const std::string& program_path);

  RegistrationServices services_;
};
