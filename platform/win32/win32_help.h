#pragma once

#include <string>

#include "platform/help.h"

class Win32HelpViewer : public HelpViewer {
 public:
  bool FileExists(const std::string& path) override;
  bool HasWinHelp() override;
  void ShowContents(WindowHandle owner, const std::string& path) override;
  void ShowContext(WindowHandle owner, const std::string& path, int number) override;
  bool OpenPage(WindowHandle owner, const std::string& path) override;
};
