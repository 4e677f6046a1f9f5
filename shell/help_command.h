#pragma once

#include <string>

#include "core/message_dialogs.h"
#include "platform/help.h"
#include "platform/window_handle.h"

// The help file's path in the program folder (which ends with its separator).
std::string HelpFilePath(const std::string& program_folder);

// Opens the help file at its contents; when the file is missing, says so and opens nothing
// (the viewer would block on a puzzling question of its own).
void ShowHelpContents(HelpViewer& viewer, MessageDialogs& dialogs, WindowHandle owner,
                      const std::string& program_folder);
