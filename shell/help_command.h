#pragma once

#include <string>

#include "core/message_dialogs.h"
#include "platform/help.h"
#include "platform/window_handle.h"

// What the help is opened at: the contents, or the topic of a window (F1).
enum class HelpTopicId {
  Contents,
  MainWindow,
  ItemDialog,
  Listing,
  AboutBox,
  Options,
  LogOnHistory
};

// The help file's path in the program folder (which ends with its separator).
std::string HelpFilePath(const std::string& program_folder);
// The web page of a topic, in the help's page folder beside the program.
std::string HelpPagePath(const std::string& program_folder, HelpTopicId topic);
// The topic's number in the help file.
int HelpContextNumber(HelpTopicId topic);

// Opens the help at a topic: the help file where the system has the WinHelp viewer, else the
// same help's web page in the user's browser. When the file is missing, says so and opens
// nothing (the viewer would block on a puzzling question of its own).
void ShowHelp(HelpViewer& viewer, MessageDialogs& dialogs, WindowHandle owner,
              const std::string& program_folder, HelpTopicId topic);

// The help at its contents: the Help button and the launcher menu's help entry.
void ShowHelpContents(HelpViewer& viewer, MessageDialogs& dialogs, WindowHandle owner,
                      const std::string& program_folder);
