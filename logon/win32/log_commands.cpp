#include "logon/win32/log_commands.h"

#include "logon/logon_history.h"
#include "logon/logon_session.h"
#include "resources/resource_ids.h"

LogOnCommands::LogOnCommands(HINSTANCE instance, HWND owner, LogFiles& files,
                             SystemErrorTexts& error_texts, Launcher& launcher,
                             MessageDialogs& dialogs, std::function<std::string()> program_folder)
    : owner_(owner),
      files_(files),
      error_texts_(error_texts),
      launcher_(launcher),
      dialogs_(dialogs),
      program_folder_(std::move(program_folder)),
      history_window_(instance) {
  history_window_.SetErrorReporter(
      [this](const std::exception& error) { dialogs_.ShowError(error); });
}

void LogOnCommands::RegisterWith(CommandTarget& target) {
  target.SetCommandHandler(IDC_LOG_BUTTON, [this] {
    OpenLogOnReport(files_, error_texts_, launcher_, dialogs_, program_folder_());
  });
  target.SetCommandHandler(IDC_HISTORY_BUTTON, [this] {
    history_window_.Show(owner_, ReadHistory(files_, HistoryFilePath(program_folder_())));
  });
}
