#include "shell/win32/help_commands.h"

#include <utility>

#include "resources/resource_ids.h"
#include "shell/help_command.h"
#include "shell/win32/about_box_window.h"

HelpCommands::HelpCommands(HINSTANCE instance, HWND window, Shell& shell, MessageDialogs& dialogs,
                           std::string program_folder)
    : instance_(instance),
      window_(window),
      shell_(shell),
      dialogs_(dialogs),
      program_folder_(std::move(program_folder)),
      help_key_(window, IDM_HELP_KEY) {}

void HelpCommands::RegisterWith(CommandTarget& window) {
  window.SetCommandHandler(IDC_VERSION_BTN, [this] { ShowAbout(); });
  window.SetCommandHandler(IDC_HELP_CONTENTS_BTN, [this] { ShowContents(); });
  window.SetCommandHandler(IDM_HELP_KEY, [this] {
    ShowHelp(viewer_, dialogs_, window_, program_folder_, help_key_.ActiveTopic());
  });
}

void HelpCommands::ShowAbout() {
  ShowAboutBox(instance_, window_, {memory_, resources_, shell_, window_});
}

void HelpCommands::ShowContents() {
  ShowHelpContents(viewer_, dialogs_, window_, program_folder_);
}
