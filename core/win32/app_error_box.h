#pragma once

#include <exception>

#include "core/clock_texts.h"
#include "core/message_dialogs.h"
#include "core/program_log.h"
#include "platform/win32/win32_log_files.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_system.h"

// The program's error policy, for windows that have no presenter to ask.
inline void ShowAppErrorBox(const std::exception& error) {
  Win32MessageBoxes boxes;
  Win32LogFiles log_files;
  MessageDialogs dialogs(boxes);
  dialogs.SetFaultLog(log_files, LogFilePath(ProgramFolderOf(Win32System().ProgramFilePath())));
  dialogs.ShowError(error);
}
