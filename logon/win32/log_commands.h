#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "core/command_target.h"
#include "core/launcher.h"
#include "core/message_dialogs.h"
#include "logon/win32/history_window.h"
#include "platform/log_files.h"
#include "platform/system.h"

// What the log-on runs left behind, as the settings window opens it: the report (Morvelin.log)
// and the chart of the last log-ons.
class LogOnCommands {
 public:
  LogOnCommands(HINSTANCE instance, HWND owner, LogFiles& files, SystemErrorTexts& error_texts,
                Launcher& launcher, MessageDialogs& dialogs,
                std::function<std::string()> program_folder);

  void RegisterWith(CommandTarget& target);
  // The history window's keys, as the message loop meets them.
  bool PreTranslateMessage(MSG& message) { return history_window_.PreTranslateMessage(message); }

 private:
  HWND owner_;
  LogFiles& files_;
  SystemErrorTexts& error_texts_;
  Launcher& launcher_;
  MessageDialogs& dialogs_;
  std::function<std::string()> program_folder_;
  LogOnHistoryWindow history_window_;
};
