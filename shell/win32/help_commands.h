#pragma once

#include <windows.h>

#include <string>

#include "core/command_target.h"
#include "core/message_dialogs.h"
#include "platform/shell.h"
#include "platform/win32/win32_help.h"
#include "platform/win32/win32_memory_status.h"
#include "shell/win32/help_key.h"

// The version and help buttons, F1 anywhere in the program, and the launcher menu's help and
// version entries.
class HelpCommands {
 public:
  // `window` owns the boxes and receives F1 as the command IDM_HELP_KEY.
  HelpCommands(HINSTANCE instance, HWND window, Shell& shell, MessageDialogs& dialogs,
               std::string program_folder);

  void RegisterWith(CommandTarget& window);
  void ShowAbout();
  void ShowContents();

 private:
  HINSTANCE instance_;
  HWND window_;
  Shell& shell_;
  MessageDialogs& dialogs_;
  std::string program_folder_;
  Win32MemoryStatus memory_;
  Win32FreeResources resources_;
  Win32HelpViewer viewer_;
  HelpKey help_key_;
};
