#pragma once

#include <windows.h>

#include "shell/help_command.h"

// F1 wherever the program has the keyboard: in the main window, in every dialog and in the
// menus. The key is taken out of whatever message loop runs (the dialogs' own included) and
// turned into the command `command_id`, posted to `target`, so that the help opens from the
// main loop; ActiveTopic then tells which window's topic was asked for.
class HelpKey {
 public:
  HelpKey(HWND target, int command_id);
  ~HelpKey();
  HelpKey(const HelpKey&) = delete;
  HelpKey& operator=(const HelpKey&) = delete;

  HelpTopicId ActiveTopic() const { return topic_; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wparam, LPARAM lparam);
  // The topic of the window in front: a dialog by a control only it has, the main window
  // while it is shown, a message box or other owned window by its owner's topic.
  HelpTopicId TopicOf(HWND window) const;

  HWND target_;
  int command_id_;
  HHOOK hook_ = nullptr;
  HelpTopicId topic_ = HelpTopicId::Contents;
};
