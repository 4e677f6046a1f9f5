#include "shell/startup_registration.h"

#include "core/texts.h"
#include "platform/app_error.h"
#include "resources/resource_ids.h"
#include "shell/shell_texts.h"
#include "shell/shortcut.h"

namespace {

constexpr int kShowNormal = 1;

}  // namespace

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

// The group interface names the Startup group by its localised title, which current shells
// take for a new, inert group: it is kept only for a system that has no Startup folder.
void StartupRegistration::RegisterOverDde(const std::string& program_path) {
  if (!ConnectToShell()) {
    services_.dialogs.Notice(shell_texts::kRegisterFailed);
    return;
  }
  for (const std::string& command : StartupGroupCommands(program_path))
    services_.dde.Execute(command);
  services_.dde.Disconnect();
}

bool StartupRegistration::WriteStartupEntry(const std::string& program_path) {
  try {
    return CreateShortcut(services_.links, services_.folders, program_path, shell_texts::kItemName,
                          csidl::kStartup, texts::kStartupSwitch, shell_texts::kStartupEntrySuffix);
  } catch (const AppError&) {
    return false;
  }
}

void StartupRegistration::OfferRemoval(const std::string& entry) {
  if (!services_.dialogs.AskYesNo(MessageKind::Confirmation, shell_texts::kUnregisterQuestion))
    return;
  if (!services_.links.Remove(entry)) services_.dialogs.Notice(shell_texts::kUnregisterFailed);
}

void StartupRegistration::RegisterInStartupGroup() {
  services_.system.Beep();
  const auto folder = services_.folders.Path(csidl::kStartup);
  const std::string program_path = services_.system.ProgramFilePath();
  if (folder) {
    const std::string entry = ShortcutFileName(*folder, shell_texts::kItemName, program_path,
                                               shell_texts::kStartupEntrySuffix);
    if (services_.links.LinksTo(entry, program_path)) {
      OfferRemoval(entry);
      return;
    }
  }
  if (!services_.dialogs.AskYesNo(MessageKind::Information, shell_texts::kRegisterQuestion)) return;
  if (!folder) {
    RegisterOverDde(program_path);
    return;
  }
  if (!WriteStartupEntry(program_path)) {
    services_.dialogs.Notice(shell_texts::kRegisterFailed);
    return;
  }
  // As the group window once did: the user sees the entry and any that now start twice.
  services_.shell.Execute(nullptr, *folder, std::string(), std::string(), kShowNormal);
}

void StartupRegistration::CreateDesktopShortcut() {
  if (!services_.dialogs.AskYesNo(MessageKind::Information, shell_texts::kDesktopQuestion)) return;
  if (!CreateShortcut(services_.links, services_.folders, services_.system.ProgramFilePath(),
                      shell_texts::kItemName, csidl::kDesktopDirectory))
    services_.dialogs.Notice(shell_texts::kRegisterFailed);
}

void StartupRegistration::RegisterWith(CommandTarget& window) {
  window.SetCommandHandler(IDC_GROUP_BUTTON, [this] { RegisterInStartupGroup(); });
  window.SetCommandHandler(IDC_SHORTCUT_BUTTON, [this] { CreateDesktopShortcut(); });
}
