#pragma once

#include <string>

#include "platform/window_handle.h"

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual bool FileExists(const std::string& path) = 0;
  // WinHelpA(owner, path, HELP_FINDER, 0); the result is not used.
  virtual void ShowContents(WindowHandle owner, const std::string& path) = 0;
};
