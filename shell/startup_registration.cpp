#include "shell/startup_registration.h"

#include "core/texts.h"
#include "platform/app_error.h"
#include "shell/shell_texts.h"
#include "shell/shortcut.h"

std::vector<std::string> StartupGroupCommands(const std::string& program_path) {
  const std::string group = shell_texts::kStartupGroup;
  return {
      "[CreateGroup(" + group + ")]",
      "[ShowGroup(" + group + ",1)]",
      std::string("[AddItem(") + "\"" + program_path + "\"" + " /N" + " ,\"" +
          shell_texts::kItemName + "\")]",
  };
}

bool StartupRegistration::ConnectToShell() {
  DdeClient& dde = services_.dde;
  if (dde.Connect(shell_texts::kProgman, shell_texts::kProgman)) return true;
  const std::string server = std::string(shell_texts::kProgman) + " " + shell_texts::kProgman;
  if (!services_.starter.StartMinimisedNoActivate(server)) return false;
  return dde.Connect(shell_texts::kProgman, shell_texts::kProgman);
}

// Where no shell speaks the old group interface, the Startup folder is what it would have
// filled: a link named after the product, starting the program for the log-on run.
bool StartupRegistration::WriteStartupFolderEntry(const std::string& program_path) {
  try {
    return CreateShortcut(services_.links, services_.folders, program_path, shell_texts::kItemName,
                          csidl::kStartup, texts::kStartupSwitch, ".lnk");
  } catch (const AppError&) {
    return false;
  }
}

void StartupRegistration::RegisterInStartupGroup() {
  services_.system.Beep();
  if (!services_.dialogs.AskYesNo(MessageKind::Information, shell_texts::kRegisterQuestion)) return;
  const std::string program_path = services_.system.ProgramFilePath();
  if (!ConnectToShell()) {
    if (!WriteStartupFolderEntry(program_path))
      services_.dialogs.Notice(shell_texts::kRegisterFailed);
    return;
  }
  for (const std::string& command : StartupGroupCommands(program_path))
    services_.dde.Execute(command);
  services_.dde.Disconnect();
}

void StartupRegistration::CreateDesktopShortcut() {
  if (!services_.dialogs.AskYesNo(MessageKind::Information, shell_texts::kDesktopQuestion)) return;
  CreateShortcut(services_.links, services_.folders, services_.system.ProgramFilePath(),
                 shell_texts::kItemName, csidl::kDesktopDirectory);
}
