#pragma once

#include <string>

#include "platform/window_handle.h"

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual bool FileExists(const std::string& path) = 0;
  // Whether the system has the WinHelp viewer: it reports a version before Vista, which
  // dropped it.
  virtual bool HasWinHelp() = 0;
  // WinHelpA(owner, path, HELP_FINDER, 0); the result is not used.
  virtual void ShowContents(WindowHandle owner, const std::string& path) = 0;
  // WinHelpA(owner, path, HELP_CONTEXT, number): the topic of that number.
  virtual void ShowContext(WindowHandle owner, const std::string& path, int number) = 0;
  // Opens a web page in the user's browser; false when the shell cannot.
  virtual bool OpenPage(WindowHandle owner, const std::string& path) = 0;
};
