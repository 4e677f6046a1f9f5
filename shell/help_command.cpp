#include "shell/help_command.h"

#include "core/texts.h"
#include "platform/text_format.h"
#include "shell/shell_texts.h"

namespace {

struct TopicPlace {
  int number;        // the help file's map number
  const char* page;  // the web page
};

// The help text gives these topics the same numbers and pages.
TopicPlace PlaceOf(HelpTopicId topic) {
  switch (topic) {
    case HelpTopicId::MainWindow:
      return {1, "main_window.htm"};
    case HelpTopicId::ItemDialog:
      return {2, "item_dialog.htm"};
    case HelpTopicId::Listing:
      return {3, "listing.htm"};
    case HelpTopicId::AboutBox:
      return {4, "about_box.htm"};
    case HelpTopicId::Options:
      return {5, "options.htm"};
    case HelpTopicId::LogOnHistory:
      return {6, "logon_history.htm"};
    case HelpTopicId::Contents:
      break;
  }
  return {0, "index.htm"};
}

}  // namespace

std::string HelpFilePath(const std::string& program_folder) {
  return program_folder + texts::kHelpFileName;
}

std::string HelpPagePath(const std::string& program_folder, HelpTopicId topic) {
  return program_folder + texts::kHelpPageFolder + "\\" + PlaceOf(topic).page;
}

int HelpContextNumber(HelpTopicId topic) {
  return PlaceOf(topic).number;
}

void ShowHelp(HelpViewer& viewer, MessageDialogs& dialogs, WindowHandle owner,
              const std::string& program_folder, HelpTopicId topic) {
  const bool winhelp = viewer.HasWinHelp();
  const std::string path =
      winhelp ? HelpFilePath(program_folder) : HelpPagePath(program_folder, topic);
  // F1 again in a box that says the help cannot be shown would only stack the same box on it.
  if (!viewer.FileExists(path)) {
    if (dialogs.BoxOpen()) return;
    dialogs.Show(MessageKind::Error, BoxButtons::Ok, FormatText(shell_texts::kHelpMissing, path));
    return;
  }
  if (!winhelp) {
    if (!viewer.OpenPage(owner, path) && !dialogs.BoxOpen())
      dialogs.Show(MessageKind::Error, BoxButtons::Ok,
                   FormatText(shell_texts::kHelpNotOpened, path));
  } else if (topic == HelpTopicId::Contents) {
    viewer.ShowContents(owner, path);
  } else {
    viewer.ShowContext(owner, path, HelpContextNumber(topic));
  }
}

void ShowHelpContents(HelpViewer& viewer, MessageDialogs& dialogs, WindowHandle owner,
                      const std::string& program_folder) {
  ShowHelp(viewer, dialogs, owner, program_folder, HelpTopicId::Contents);
}
