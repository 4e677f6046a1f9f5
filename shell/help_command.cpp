#include "shell/help_command.h"

#include "platform/text_format.h"
#include "core/texts.h"
#include "shell/shell_texts.h"

std::string HelpFilePath(const std::string& program_folder) {
  return program_folder + texts::kHelpFileName;
}

void ShowHelpContents(HelpViewer& viewer, MessageDialogs& dialogs, WindowHandle owner,
                      const std::string& program_folder) {
  const std::string path = HelpFilePath(program_folder);
  if (!viewer.FileExists(path)) {
    dialogs.Show(MessageKind::Error, BoxButtons::Ok, FormatText(shell_texts::kHelpMissing, path));
    return;
  }
  viewer.ShowContents(owner, path);
}
